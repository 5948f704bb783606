#include <QtTest>

#include "core/collection/coinentries.h"
#include "core/model/commatext.h"
#include "core/model/currencytext.h"
#include "core/model/dates.h"
#include "core/model/varietytext.h"
#include "support/coinentryfixture.h"
#include "support/scriptedui.h"

namespace {

// Varieties in price lists hold dates as "\d/" + day number; entries hold
// them as shown.
QString Shown(const QString &packed)
{
    return UnpackVariety(packed, false);
}

void AddField(tMainState &s, int type, uint8_t bits = 0, int incValue = 0)
{
    auto f = std::make_unique<tUDFfield>();
    f->FieldType = type;
    f->BitByte = bits;
    f->IncValue = incValue;
    s.UDFlist.push_back(std::move(f));
}

} // namespace

class tst_CoinEntries : public QObject {
    Q_OBJECT

    tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};

private Q_SLOTS:
    void init()
    {
        ui.reset();
        platform::setUserInterface(&ui);
    }
    void cleanup() { platform::setUserInterface(nullptr); }

    void assignInventory_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("maxBefore");
        QTest::addColumn<int>("expected");
        QTest::newRow("empty collection starts again at 1") << 0 << 57 << 1;
        QTest::newRow("numbers continue after the largest given") << 2 << 57 << 58;
    }
    void assignInventory()
    {
        QFETCH(int, entries);
        QFETCH(int, maxBefore);
        QFETCH(int, expected);
        tCoinFixture f;
        for (int i = 0; i < entries; ++i)
            f.AddCoin(2000 + i);
        f.s.MaxInventory = maxBefore;
        QCOMPARE(AssignInventory(f.s), expected);
        QCOMPARE(f.s.MaxInventory, expected);
    }

    // Once the largest item number is taken, new numbers are the smallest
    // free ones, every time, never a wrapped negative number.
    void itemNumbersPastTheLargestReuseFreeOnes()
    {
        tCoinFixture f;
        const auto add = [&f](int32_t number) {
            auto c = std::make_unique<tCoinInfo>();
            c->Inventory = number;
            f.s.CoinList.push_back(std::move(c));
        };
        for (int32_t n : {1, 2, 4, std::numeric_limits<int32_t>::max()})
            add(n);
        f.s.MaxInventory = std::numeric_limits<int32_t>::max();
        QList<int> handed;
        for (int i = 0; i < 3; ++i) {
            const int32_t n = AssignInventory(f.s);
            handed << n;
            add(n);
        }
        QCOMPARE(handed, (QList<int>{3, 5, 6}));
        QCOMPARE(f.s.MaxInventory, std::numeric_limits<int32_t>::max());
    }

    void newEntryTakesTheOnlyPriceRow_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("mint");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<QString>("gm");
        QTest::newRow("one row") << 1 << 1921 << "D" << Shown(QStringLiteral("Struck \\d/45000")) << "PL";
        QTest::newRow("two rows leave them blank") << 2 << 0 << "" << "" << "";
    }
    void newEntryTakesTheOnlyPriceRow()
    {
        QFETCH(int, rows);
        tCoinFixture f;
        f.AddPrice(1921, QStringLiteral("D"), QStringLiteral("Struck \\d/45000"), QStringLiteral("PL"));
        if (rows == 2)
            f.AddPrice(1922, QStringLiteral("S"));
        f.AddCoin(1900);
        f.s.AutoBin = true;

        tCoinInfo *c = NewCoinBtnClick(f.s, false);
        QVERIFY(c);
        QTEST(c->Year, "year");
        QTEST(c->Mint, "mint");
        QTEST(c->Variety, "variety");
        QTEST(c->GM, "gm");
        QCOMPARE(c->Have, 1);
        QCOMPARE(c->Grade, NoGrade);
        QCOMPARE(c->Inventory, 2);
        QCOMPARE(c->Folder, f.Cents);
        QCOMPARE(c->CoinType, f.Cents->CoinType);
        QVERIFY(c->InBin);
        QCOMPARE(f.Calls("ShowBinCount"), 1);
        // Listed, current, counted up to the root, and the change shows.
        QCOMPARE(f.Row(f.s.CoinGridRow), c);
        QCOMPARE(f.Cents->EntryCount, 2);
        QCOMPARE(f.Country->EntryCount, 2);
        QVERIFY(f.s.DataModified);
        QVERIFY(f.Log.contains("SetMainCaption"));
    }

    void newAndCloneNeedAPriceRow()
    {
        for (bool clone : {false, true}) {
            tCoinFixture f;
            f.AddCoin(1900);
            ui.Messages.clear();
            QVERIFY(!NewCoinBtnClick(f.s, clone));
            QCOMPARE(int(ui.Messages.size()), 1);
            QCOMPARE(ui.Messages[0].Text, NoPriceRowsText);
            QCOMPARE(ui.Messages[0].Buttons.size(), size_t(1));
            QCOMPARE(f.s.CoinList.size(), size_t(1));
            QVERIFY(f.s.UndoCoinList.empty());
            QVERIFY(!f.s.DataModified);
        }
    }

    // New and bulk creation differ only in Date fields.
    void userFieldDefaults()
    {
        tCoinFixture f;
        for (int type = UDFTextBox; type <= UDFReal; ++type)
            AddField(f.s, type);
        f.AddPrice(1950, QStringLiteral("P"));
        const QStringList common = {"", "", "", "", "F", "$0.00", "?", "0", "", "", "", "", "0.0"};
        QStringList forNew = common, forPopulate = common;
        forNew[UDFDate] = QStringLiteral("0");
        forPopulate[UDFDate] = QString::number(TodayDay());

        QCOMPARE(CommaTextSplit(NewCoinBtnClick(f.s, false)->UDFstring), forNew);
        QCOMPARE(PopulateCoins(f.s, {f.s.CurrPriceList[0]}, 3), 1);
        QCOMPARE(CommaTextSplit(f.s.CoinList.back()->UDFstring), forPopulate);

        tCoinFixture none;
        none.AddPrice(1950, QStringLiteral("P"));
        QCOMPARE(NewCoinBtnClick(none.s, false)->UDFstring, QString());
    }

    void cloneCopiesAndNumbersAfresh()
    {
        tCoinFixture f;
        AddField(f.s, UDFTextBox);
        AddField(f.s, UDFNumber, 1, 7);  // "Default to incremental value"
        AddField(f.s, UDFNumber);         // a plain number is copied
        f.AddPrice(1950, QStringLiteral("P"));
        f.AddPrice(1951, QStringLiteral("P"));
        tCoinInfo *src = f.AddCoin(1951, QStringLiteral("P"));
        src->Grade = 25;
        src->Have = 3;
        src->Need = 1;
        src->Comment = QStringLiteral("toned");
        src->BuyPrice = 125000;
        src->BuyDate = 45000;
        src->SellLock = true;
        src->Obverse = QStringLiteral("R~a.jpg");
        src->UDFstring = QStringLiteral("shop,7,42");
        src->selected = true;
        src->InBin = true;
        f.s.AutoBin = false;
        f.s.CoinGridRow = 0;

        tCoinInfo *c = NewCoinBtnClick(f.s, true);
        QVERIFY(c && c != src);
        QCOMPARE(c->Inventory, 2);
        QCOMPARE(c->UDFstring, QStringLiteral("shop,8,42"));
        QCOMPARE(f.s.UDFlist[1]->IncValue, 8);
        QVERIFY(!c->InBin);
        QVERIFY(!c->selected);
        QCOMPARE(c->Year, 1951);
        QCOMPARE(c->Grade, 25);
        QCOMPARE(c->Have, 3);
        QCOMPARE(c->Need, 1);
        QCOMPARE(c->Comment, QStringLiteral("toned"));
        QCOMPARE(c->BuyPrice, Money(125000));
        QCOMPARE(c->BuyDate, 45000);
        QVERIFY(c->SellLock);
        QCOMPARE(c->Obverse, QStringLiteral("R~a.jpg"));
        QCOMPARE(f.Row(f.s.CoinGridRow), c);
    }

    void cloneNeedsACurrentRow()
    {
        tCoinFixture f;
        f.AddPrice(1950, QStringLiteral("P"));
        f.AddCoin(1950, QStringLiteral("P"));
        f.s.CoinGridRow = -1;
        QVERIFY(!NewCoinBtnClick(f.s, true));
        QCOMPARE(f.s.CoinList.size(), size_t(1));
        QVERIFY(ui.Messages.empty());
        QVERIFY(f.s.UndoCoinList.empty());
    }

    // New and Clone are taken back newest first; the entry that was current
    // before becomes current again.
    void undoNewAndClone()
    {
        tCoinFixture f;
        f.AddPrice(1950, QStringLiteral("P"));
        f.AddPrice(1951, QStringLiteral("P"));
        tCoinInfo *a = f.AddCoin(1951, QStringLiteral("P"));
        f.s.CoinGridRow = 0;
        tCoinInfo *clone = NewCoinBtnClick(f.s, true);
        tCoinInfo *fresh = NewCoinBtnClick(f.s, false);
        QCOMPARE(f.s.CoinList.size(), size_t(3));
        QCOMPARE(f.Cents->EntryCount, 3);
        QCOMPARE(f.Row(f.s.CoinGridRow), fresh);
        f.Log.clear();

        QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(f.s.CoinList.size(), size_t(2));
        QVERIFY(std::find(f.s.CurrCoinList.begin(), f.s.CurrCoinList.end(), fresh) == f.s.CurrCoinList.end());
        QCOMPARE(f.Row(f.s.CoinGridRow), clone);
        // The bin count is refreshed once the entry is gone.
        QVERIFY(f.Log.lastIndexOf("ShowBinCount") > f.Log.indexOf("PrepCoinsPage"));

        QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(f.s.CoinList.size(), size_t(1));
        QCOMPARE(f.s.CoinList[0].get(), a);
        QCOMPARE(f.Row(f.s.CoinGridRow), a);
        QCOMPARE(f.Cents->EntryCount, 1);
        QCOMPARE(f.Country->EntryCount, 1);
        QVERIFY(!UndoCoinBtnClick(f.s));
    }

    void undoEditRestoresItemNumberButKeepsBinMark()
    {
        tCoinFixture f;
        tCoinInfo *c = f.AddCoin(1950, QStringLiteral("P"));
        c->Comment = QStringLiteral("before");
        PushCoinUndo(f.s, *c, tCoinField::CommentEdit);
        c->Comment = QStringLiteral("after");
        c->Inventory = 99;
        c->InBin = true;
        QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(c->Comment, QStringLiteral("before"));
        QCOMPARE(c->Inventory, 1);
        QVERIFY(c->InBin);
        QVERIFY(f.s.DataModified);
    }

    // Undoing a change to an entry of another series selects that series
    // through the whole selection, so the page shows the restored entry.
    void undoFollowsTheEntryIntoItsSeries()
    {
        tCoinFixture f;
        tCoinInfo *dime = f.AddCoin(1960, QStringLiteral("D"), f.Dimes);
        PushCoinUndo(f.s, *dime, tCoinField::HaveEdit);
        dime->Have = 5;
        f.AddCoin(1950);
        QCOMPARE(f.s.SelectedTreeNode, f.Cents);
        QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(dime->Have, 1);
        QCOMPARE(f.s.SelectedTreeNode, f.Dimes);
        QCOMPARE(f.Calls("SeriesSelected"), 1);
        QCOMPARE(f.Row(f.s.CoinGridRow), dime);
    }

    // Records never outlive what they point at.
    void freeingEntriesPurgesUndoRecords()
    {
        tCoinFixture f;
        f.AddPrice(1950, QStringLiteral("P"));
        tCoinInfo *a = f.AddCoin(1950, QStringLiteral("P"));
        tCoinInfo *gone = f.AddCoin(1951, QStringLiteral("P"));
        f.s.CoinGridRow = 0;
        PushCoinUndo(f.s, *a, tCoinField::CommentEdit);       // edit of a
        tCoinInfo *fresh = NewCoinBtnClick(f.s, false);        // new, select a afterwards
        PushCoinUndo(f.s, *fresh, tCoinField::GradeBox);      // edit of the new entry
        RemoveCoinToUndo(f.s, gone);                           // delete record, owns its entry
        QCOMPARE(f.s.UndoCoinList.size(), size_t(4));

        f.s.DeleteCoin(a);
        QCOMPARE(f.s.UndoCoinList.size(), size_t(3));
        QCOMPARE(f.s.UndoCoinList[0]->ChangedField, tCoinField::NewCoinBtn);
        QCOMPARE(f.s.UndoCoinList[0]->OrgCoin, nullptr);

        f.s.DeleteCoin(fresh);
        QCOMPARE(f.s.UndoCoinList.size(), size_t(1));
        QCOMPARE(f.s.UndoCoinList[0]->ChangedField, tCoinField::DeleteCoinBtn);

        // A deleted series leaves the held entry without a series, not with
        // a dangling one; Undo still brings it back.
        f.s.DeleteSeries(f.Cents);
        QCOMPARE(f.s.UndoCoinList[0]->CoinInfo->Folder, nullptr);
        f.s.SelectedTreeNode = f.Dimes;
        QVERIFY(UndoCoinBtnClick(f.s));
        QCOMPARE(f.s.CoinList.back().get(), gone);

        RemoveCoinToUndo(f.s, gone);
        f.s.ClearCoins();
        QVERIFY(f.s.UndoCoinList.empty());
    }

    void populateListsOneItemPerVariety()
    {
        tCoinFixture f;
        f.AddPrice(1990, QStringLiteral("P"));
        f.AddPrice(1990, QStringLiteral("P"), {}, QStringLiteral("FB"));  // differs only in grade modifier
        f.AddPrice(1990, QStringLiteral("D"));
        tCoinInfo *c = f.AddCoin(1990, QStringLiteral("p"));
        c->Variety = QStringLiteral(" ");
        const auto items = PopulateItems(f.s);
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0].Price, f.s.CurrPriceList[0]);
        QCOMPARE(items[1].Price, f.s.CurrPriceList[2]);
        QCOMPARE(items[0].Text, QStringLiteral("1990-P"));
        QVERIFY(!items[0].Checked);
        QVERIFY(items[1].Checked);
    }

    void populateMakesEntriesWithoutCounts()
    {
        tCoinFixture f;
        f.s.AutoBin = true;
        tPriceInfo *p1 = f.AddPrice(1990, QStringLiteral("P"), QStringLiteral("\\d/45000"), QStringLiteral("FB"));
        tPriceInfo *p2 = f.AddPrice(1991, QStringLiteral("D"));
        f.AddCoin(1900);
        QCOMPARE(PopulateCoins(f.s, {p1, p2}, 12), 2);
        QCOMPARE(f.s.CoinList.size(), size_t(3));
        const tCoinInfo &a = *f.s.CoinList[1];
        QCOMPARE(a.Year, 1990);
        QCOMPARE(a.Mint, QStringLiteral("P"));
        QCOMPARE(a.Variety, Shown(QStringLiteral("\\d/45000")));
        QCOMPARE(a.GM, QStringLiteral("FB"));
        QCOMPARE(a.Grade, 12);
        QCOMPARE(a.Have + a.Need + a.Sell + a.Sold, 0);
        QVERIFY(!a.InBin);
        QCOMPARE(a.Inventory, 2);
        QCOMPARE(f.s.CoinList[2]->Inventory, 3);
        QCOMPARE(f.Cents->EntryCount, 3);
        QCOMPARE(f.Country->EntryCount, 3);
        QCOMPARE(f.s.EntireCollection->EntryCount, 3);
        QVERIFY(f.s.DataModified);
        QCOMPARE(f.Calls("ShowCoinsPage"), 1);
        QCOMPARE(f.s.CurrCoinList.size(), size_t(3));

        tCoinFixture none;
        QCOMPARE(PopulateCoins(none.s, {}, 12), 0);
        QVERIFY(!none.s.DataModified);
        QCOMPARE(none.Calls("ShowCoinsPage"), 0);
    }

    void currencyValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<qlonglong>("expected");
        const QChar dot('.'), comma(',');
        QTest::newRow("plain") << "12.349" << dot << 123490LL;
        QTest::newRow("minus sign dropped") << "-5" << dot << 50000LL;
        QTest::newRow("symbol and grouping dropped") << "$1,234.50" << dot << 12345000LL;
        QTest::newRow("decimal comma") << "1.234,5 €" << comma << 12345000LL;
        QTest::newRow("empty") << "" << dot << 0LL;
        QTest::newRow("no digits") << "abc" << dot << 0LL;
        QTest::newRow("two separators unreadable") << "1.2.3" << dot << 0LL;
    }
    void currencyValue()
    {
        QFETCH(QString, text);
        QFETCH(QChar, decimal);
        QFETCH(qlonglong, expected);
        QCOMPARE(GetCurrencyValue(text, decimal), Money(expected));
    }
};

QTEST_APPLESS_MAIN(tst_CoinEntries)
#include "tst_coinentries.moc"
