#include <QtTest>

#include <QTemporaryDir>

#include "reports/bin/reportbin.h"
#include "support/treefixture.h"

namespace {

const char *const Outline = R"(
Alpha #2000
  Alpha cents #2001
    Wheat #2011
  Alpha notes #2002
Beta #3000
  Beta cents #3001
)";

struct tFixture {
    tMainState S;
    QHash<QString, tnodeinfo *> N;
    int Captions = 0;
    tFixture()
    {
        N = BuildTree(S, QString::fromLatin1(Outline));
        QObject::connect(S.Events.get(), &tStateEvents::SetMainCaption, [this] { ++Captions; });
        FillBuiltInGradeTitles(S.GradeTitles3D);
    }
    tCoinInfo *Coin(const char *series, int item, bool tracked = false, bool inBin = false)
    {
        return AddEntry(S, N.value(QString::fromLatin1(series)), item, tracked, inBin);
    }
    QList<int> InBin() const
    {
        QList<int> out;
        for (const auto &c : S.CoinList)
            if (c->InBin)
                out << c->Inventory;
        return out;
    }
};

} // namespace

class tst_ReportBin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refreshKeepsListOrderAndClampsTheRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("expected");
        QTest::newRow("inside") << 1 << 1;
        QTest::newRow("past the end") << 7 << 2;
        QTest::newRow("none") << -1 << 0;
    }
    void refreshKeepsListOrderAndClampsTheRow()
    {
        QFETCH(int, row);
        QFETCH(int, expected);
        tFixture f;
        f.Coin("Beta cents", 1, false, true);
        f.Coin("Alpha cents", 2, false, false);
        f.Coin("Wheat", 3, false, true);
        f.Coin("Alpha notes", 4, false, true);
        QCOMPARE(BinCount(f.S), 3);
        QCOMPARE(RefreshBinList(f.S, row), expected);
        QCOMPARE(f.S.BinList.size(), size_t(3));
        QCOMPARE(f.S.BinList[0]->Inventory, 1);
        QCOMPARE(f.S.BinList[2]->Inventory, 4);
        // An empty bin has no current row.
        EmptyTheBin(f.S);
        QCOMPARE(RefreshBinList(f.S, row), -1);
        QVERIFY(f.S.BinList.empty());
    }

    // The current row's entry decides the new state; the multi-selected
    // entries follow it, in and out again.
    void binPictureActsOnTheMultiSelection()
    {
        tFixture f;
        tCoinInfo *a = f.Coin("Alpha cents", 1);
        tCoinInfo *b = f.Coin("Alpha cents", 2, false, true);
        tCoinInfo *c = f.Coin("Alpha cents", 3);
        tCoinInfo *other = f.Coin("Alpha cents", 4);
        f.S.CurrCoinList = {a, b, c, other};
        f.S.CoinGridRow = 0;
        b->selected = c->selected = true;
        QCOMPARE(ToggleBinOfCurrentCoins(f.S), 2);  // b was in already
        QCOMPARE(f.InBin(), (QList<int>{1, 2, 3}));
        QVERIFY(f.S.DataModified);
        QCOMPARE(f.Captions, 1);
        QCOMPARE(ToggleBinOfCurrentCoins(f.S), 3);
        QVERIFY(f.InBin().isEmpty());
        // Without a current row nothing changes.
        f.S.CoinGridRow = -1;
        f.S.DataModified = false;
        QCOMPARE(ToggleBinOfCurrentCoins(f.S), 0);
        QVERIFY(!f.S.DataModified);
    }

    void trackedCoinsFromTheRootJoinTheBin()
    {
        tFixture f;
        f.Coin("Wheat", 1, true);
        f.Coin("Beta cents", 2, true);
        f.Coin("Alpha notes", 3, false, true);  // untracked, already in: stays
        f.Coin("Alpha cents", 4, false);
        f.Coin("Alpha cents", 5, true, true);
        QCOMPARE(PlaceTrackedCoinsInBin(f.S, f.S.EntireCollection.get()), 2);
        QCOMPARE(f.InBin(), (QList<int>{1, 2, 3, 5}));
        QVERIFY(f.S.DataModified);
        // A subtree places only its own tracked entries.
        EmptyTheBin(f.S);
        QCOMPARE(PlaceTrackedCoinsInBin(f.S, f.N.value("Alpha")), 2);
        QCOMPARE(f.InBin(), (QList<int>{1, 5}));
        // Nothing tracked left to add: the collection is not touched.
        f.S.DataModified = false;
        QCOMPARE(PlaceTrackedCoinsInBin(f.S, f.N.value("Alpha")), 0);
        QVERIFY(!f.S.DataModified);
    }

    void removingTheLastEntryEmptiesTheBin()
    {
        tFixture f;
        tCoinInfo *only = f.Coin("Beta cents", 1, false, true);
        QCOMPARE(RefreshBinList(f.S, 0), 0);
        QVERIFY(RemoveFromBin(f.S, only));
        QVERIFY(f.S.DataModified);
        QCOMPARE(BinCount(f.S), 0);
        QCOMPARE(RefreshBinList(f.S, 0), -1);
        f.S.DataModified = false;
        QVERIFY(!RemoveFromBin(f.S, only));
        QVERIFY(!RemoveFromBin(f.S, nullptr));
        QVERIFY(!f.S.DataModified);
        QCOMPARE(EmptyTheBin(f.S), 0);
        QVERIFY(!f.S.DataModified);
    }

    void cellsOfABinRow_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("centred");
        QTest::newRow("item") << int(BinColItem) << "17" << false;
        QTest::newRow("series") << int(BinColSeries) << "2011" << false;
        QTest::newRow("year mint variety") << int(BinColYearMintVariety) << "1909-S (VDB)" << false;
        QTest::newRow("grade") << int(BinColGrade) << "F-12" << true;
        QTest::newRow("have") << int(BinColHave) << "2" << true;
        QTest::newRow("sold") << int(BinColSold) << "5" << true;
        QTest::newRow("location") << int(BinColLocation) << "Alpha / Alpha cents / Wheat" << false;
    }
    void cellsOfABinRow()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(bool, centred);
        tFixture f;
        tCoinInfo *c = f.Coin("Wheat", 17, false, true);
        c->Year = 1909;
        c->Mint = QStringLiteral("S");
        c->Variety = QStringLiteral("VDB");
        c->Grade = 7;
        c->Have = 2;
        c->Sold = 5;
        QCOMPARE(BinCellText(f.S, *c, column), text);
        QCOMPARE(bool(BinCellAlignment(column) & Qt::AlignHCenter), centred);
        QVERIFY(BinCellAlignment(column) & Qt::AlignVCenter);
    }

    // Entries of several series share the grid: each shows its grade on
    // its own series' scale and kind, whatever series is selected.
    void gradeTitleFollowsTheEntrysOwnSeries()
    {
        tFixture f;
        f.S.GradeTitles3D.SetTitle(GradeKindCoins, 2, 7, QStringLiteral("Fine+"));
        f.S.GradeTitles3D.SetTitle(GradeKindPaper, 0, 7, QStringLiteral("F paper"));
        tnodeinfo *notes = f.N.value("Alpha notes");
        notes->CoinShape = PaperMoneyShape;
        f.N.value("Beta cents")->GradeScale = 2;
        tCoinInfo *coin = f.Coin("Alpha cents", 1);
        tCoinInfo *scaled = f.Coin("Beta cents", 2);
        tCoinInfo *note = f.Coin("Alpha notes", 3);
        for (tCoinInfo *c : {coin, scaled, note})
            c->Grade = 7;
        f.S.SelectedTreeNode = f.N.value("Beta cents");
        f.S.CurrGradeList.clear();
        QCOMPARE(BinGradeTitle(f.S, *coin), QStringLiteral("F-12"));
        QCOMPARE(BinGradeTitle(f.S, *scaled), QStringLiteral("Fine+"));
        QCOMPARE(BinGradeTitle(f.S, *note), QStringLiteral("F paper"));
        coin->Grade = -1;
        QVERIFY(BinGradeTitle(f.S, *coin).isEmpty());
        coin->Grade = 99;
        QVERIFY(BinGradeTitle(f.S, *coin).isEmpty());
    }

    void coinPicturesOnlyWhenTheFileExists()
    {
        tFixture f;
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("obv.png"));
        QImage(4, 4, QImage::Format_RGB32).save(file);
        f.S.RepositoryPath = dir.path() + QLatin1Char('/');
        QCOMPARE(QFileInfo(BinCoinPicturePath(f.S, QStringLiteral("R~obv.png"))).canonicalFilePath(),
                 QFileInfo(file).canonicalFilePath());
        QCOMPARE(QFileInfo(BinCoinPicturePath(f.S, file)).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
        QVERIFY(BinCoinPicturePath(f.S, QStringLiteral("R~missing.png")).isEmpty());
        QVERIFY(BinCoinPicturePath(f.S, QStringLiteral("  ")).isEmpty());
    }
};

QTEST_MAIN(tst_ReportBin)
#include "tst_reportbin.moc"
