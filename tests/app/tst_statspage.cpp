#include <QtTest>

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

#include "browse/tree/ui/seriestreeview.h"
#include "pricing/valuation/forex.h"
#include "pricing/pricelists/pricelist.h"
#include "pricing/statistics/ui/statspanel.h"
#include "support/programfixture.h"
#include "support/treefixture.h"

namespace {

constexpr Money U = MoneyScale;

// A small collection of the user's own series, built as a collector would
// have entered it: two coin series (the second priced from the first) and a
// series of notes.
struct tCollection {
    QHash<QString, tnodeinfo *> n;
    explicit tCollection(tMainState &s)
    {
        n = BuildTree(s, QStringLiteral("Cents #1000001\nDollars #1000002\nNotes #1000010"));
        n.value("Dollars")->PriceSource = 1000001;
        n.value("Notes")->CoinShape = PaperMoneyShape;
        Price(s, 1000001, 1909, 7 * U);
        Price(s, 1000001, 1910, 10 * U);
        Price(s, 1000010, 1928, 40 * U);
        Coin(s, "Cents", 1909, 3, 2 * U);
        Coin(s, "Cents", 1910, 1, 2 * U);
        Coin(s, "Dollars", 1910, 2, 0);
        for (int year : {1928, 1928, 1934})
            Coin(s, "Notes", year, 1, 0);
        s.DataModified = true;
    }
    void Price(tMainState &s, int32_t series, int year, Money value)
    {
        auto p = std::make_unique<tPriceInfo>();
        p->CoinType = series;
        p->Year = year;
        p->Value[12] = value;
        s.PriceList.push_back(std::move(p));
        PriceListChanged(s);
    }
    void Coin(tMainState &s, const QString &series, int year, int have, Money buy)
    {
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = n.value(series);
        c->CoinType = c->Folder->CoinType;
        c->Year = year;
        c->Grade = 12;
        c->Have = have;
        c->BuyPrice = buy;
        s.CoinList.push_back(std::move(c));
    }
};

} // namespace

// The Stats side page of the running program: a series is selected in the
// tree, the page is opened, "Calculating..." shows, then the figures.
class tst_StatsPage : public QObject {
    Q_OBJECT
private:
    tProgramFixture *program_ = nullptr;
    std::unique_ptr<tCollection> collection_;

    TMainForm &Form() { return program_->Form(); }
    template <class T = QLabel>
    T *Find(const char *name)
    {
        T *w = Form().findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString Text(const char *name) { return Find(name)->text(); }
    void ClickSeries(const QString &name)
    {
        tSeriesTree &tree = Form().SeriesTree->Tree();
        const int row = tree.RowOf(collection_->n.value(name));
        QVERIFY2(row >= 0, qPrintable(name));
        QTest::mouseClick(Form().SeriesTree->TreeLayout(), Qt::LeftButton, {},
                          QPoint(300, row * TreeRowHeight + TreeRowHeight / 2));
    }
    void OpenStatsTab()
    {
        QTabBar *tabs = Form().SideTabs->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(Form().SideTabs->indexOf(Form().Tab2Stats)).center());
    }
    QString Native(Money m) { return NativeFormatCurrency(program_->State(), m, {}); }

private Q_SLOTS:
    void init()
    {
        program_ = new tProgramFixture;
        program_->Open();
        program_->Start();
        collection_ = std::make_unique<tCollection>(program_->State());
        // As the welcome window leaves it after a new collection.
        Form().PageTabs->setEnabled(true);
        Form().PageTabs->setCurrentIndex(0);
        Q_EMIT program_->State().Events->SeriesSelected();
    }
    void cleanup()
    {
        collection_.reset();
        delete program_;
        program_ = nullptr;
    }

    void selectingASeriesAndOpeningStatsShowsCalculatingThenTheFigures()
    {
        ClickSeries("Cents");
        OpenStatsTab();
        QLabel *calculating = Find("Label49");
        auto *scrollBox = Find<QScrollArea>("ScrollBox1");
        QVERIFY(calculating->isVisible());
        QCOMPARE(calculating->text(), QStringLiteral("Calculating..."));
        QVERIFY(!scrollBox->isVisible());

        QTRY_VERIFY(!calculating->isVisible());
        QVERIFY(scrollBox->isVisible());
        QCOMPARE(Text("Label46"), QStringLiteral("Series #1000001"));
        QCOMPARE(Text("Label35"), QStringLiteral("Entries: 2 coins"));
        QCOMPARE(Text("Label36"), QStringLiteral("Folders: 0"));
        QCOMPARE(Text("Label74"), "Price: " + Native(8 * U));
        QCOMPARE(Text("Label72"), "Value: " + Native(31 * U));
        QCOMPARE(Text("LabelHaveCoins"), QStringLiteral("Coins: 4"));
        QCOMPARE(Text("Label22"), QStringLiteral("2 of 2 varieties"));
        QCOMPARE(Text("Label14"), QStringLiteral("Items: 2 (50.00%)"));
        QVERIFY(Find("Label101")->isVisible());
        // What the window keeps: the run's totals, and the tick's hand-back.
        QCOMPARE(Form().StatsPanel->Totaler.TotalCoinHave, qint64(4));
        QCOMPARE(Form().StatsPanel->Totaler.CalcNode, collection_->n.value("Cents"));
        QVERIFY(Form().Housekeeping.RepaintCalc);
        program_->Tick();
        QVERIFY(!Form().Housekeeping.RepaintCalc);
        QVERIFY(scrollBox->isVisible());
    }

    // While the page shows, every selection starts a run; the latest one's
    // figures stay on the page even when an earlier run is still counting.
    void anotherSelectionEndsWithItsOwnFigures()
    {
        OpenStatsTab();
        QTRY_VERIFY(!Find("Label49")->isVisible());
        QCOMPARE(Text("Label35"), QStringLiteral("Entries: 3 coins & 3 notes"));
        ClickSeries("Dollars");
        ClickSeries("Notes");
        QVERIFY(Find("Label49")->isVisible());
        QTRY_VERIFY(!Find("Label49")->isVisible());
        Form().StatsPanel->Runner->WaitForRuns();
        QCoreApplication::processEvents();
        QCOMPARE(Text("Label35"), QStringLiteral("Entries: 3 notes"));
        QCOMPARE(Text("LabelHaveNotes"), QStringLiteral("Notes: 3"));
        QCOMPARE(Text("Label15"), QStringLiteral("Varieties: 1 (100.00%)"));
        QCOMPARE(Form().StatsPanel->Totaler.CalcNode, collection_->n.value("Notes"));
        // Paper money: four columns, no weight or metal lines.
        QVERIFY(!Find("Label100")->isVisible());
        QVERIFY(!Find("Label37")->isVisible());
        QVERIFY(!Find<QFrame>("Line1")->isVisible());
        QVERIFY(Find("SellCaption")->x() > Find("HaveCaption")->x());
    }
};

QTEST_MAIN(tst_StatsPage)
#include "tst_statspage.moc"
