#include <QtTest>

#include <functional>

#include "core/model/commatext.h"
#include "browse/finders/trackcriteria.h"
#include "pricing/pricelists/pricelist.h"
#include "support/coinfixture.h"

using tSetCriteria = std::function<void(tTrackCriteria &)>;
Q_DECLARE_METATYPE(tSetCriteria)

namespace {

// Five entries, numbered 1..5 by item number, that differ in every field a
// criterion looks at; entry 4 is paper money and has no price row, entry 5
// has fewer user-field slots than there are fields.
struct tCollection {
    std::unique_ptr<tMainState> S = NewCoinState();
    tCoinPrices Valuation;
    tnodeinfo *Paper = nullptr;

    tCollection()
    {
        Paper = AddChildNode(S->EntireCollection.get(), 2003);
        Paper->CoinShape = PaperMoneyShape;
        for (int type : {UDFTextBox, UDFPickList, UDFCheckBox, UDFMoney, UDFNumber, UDFReal, UDFDate, UDFPhone})
            AddField(*S, type);
        tnodeinfo *cents = S->SelectedTreeNode;
        Add({.Year = 1909, .Grade = 10, .Have = 1, .Gradedby = "PCGS", .Stored = "Box 1", .BuyDate = 45000,
             .BuyPrice = M(5), .Comment = "DAY"},
            cents, "Smith & Co,A,T,15.00,3,1.5,45005,(555)123-4567");
        Add({.Year = 1910, .Grade = -1, .Have = 3, .BuyDate = 45010, .BuyPrice = M(12.5), .Comment = "doggy",
             .BuyLock = true, .MintError = true},
            cents, "smithy,Bad,F,25.00,5,2.5,45020,(555)999-0000");
        Add({.Year = 1958, .Grade = 40, .Have = 2, .Need = 1, .Gradedby = "NGC", .BuyPrice = M(20),
             .Comment = "A dusty day", .SellLock = true},
            cents, "Jones,a,True,9.99,7,abc,45010,(556)000-0000");
        Add({.Year = 1999, .Grade = 20, .Notes = "1.5", .Comment = "DY"}, Paper,
            "smith,C,F,20,4,3.0,44999,(555");
        Add({.Year = 2000, .Grade = 25, .Notes = "105"}, cents, "Other,A");
        Valuation.Install(*S);
        const int metals[] = {1, 2, 1, 0, 3};
        const char *catalogs[] = {"KM# 5", "Y 7", "KM# 6", "", "km# 8"};
        for (int i : {0, 1, 2, 4}) {
            tPriceInfo *p = Valuation.Price(QString::fromLatin1(catalogs[i]), metals[i]);
            p->Value.fill(i == 4 ? M(30) : M(15));
            Valuation.Link(S->CoinList[static_cast<size_t>(i)].get(), p);
        }
    }
    void Add(tCoinInfo c, tnodeinfo *series, const char *fields)
    {
        c.Inventory = static_cast<int>(S->CoinList.size()) + 1;
        c.CoinType = series->CoinType;
        c.Folder = series;
        c.UDFstring = CommaTextJoin(QString::fromUtf8(fields).split(QLatin1Char(',')));
        AddCoin(*S, c);
    }
    QList<int> Matching(const tTrackCriteria &criteria, tPriceRowCache &cache)
    {
        const tTrackMatcher m(*S, criteria, cache);
        QList<int> out;
        for (const auto &c : S->CoinList)
            if (m.Matches(*c))
                out << c->Inventory;
        return out;
    }
};

tFieldCriterion Field(int index, int type)
{
    tFieldCriterion f;
    f.Index = index;
    f.FieldType = type;
    return f;
}

} // namespace

class tst_TrackCriteria : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void criteriaSelectEntries_data()
    {
        QTest::addColumn<tSetCriteria>("set");
        QTest::addColumn<QList<int>>("matching");
        const auto row = [](const char *name, tSetCriteria set, QList<int> matching) {
            QTest::newRow(name) << set << matching;
        };
        using C = tTrackCriteria &;
        row("nothing ticked: every entry", [](C) {}, {1, 2, 3, 4, 5});
        row("item 5 to blank: only 5", [](C c) { c.ItemNumber = tTrackRange{"5", ""}; }, {5});
        row("item blank to 5: only 5", [](C c) { c.ItemNumber = tTrackRange{" ", "5"}; }, {5});
        row("item 7 to 5: nothing", [](C c) { c.ItemNumber = tTrackRange{"7", "5"}; }, {});
        row("item both blank: every entry", [](C c) { c.ItemNumber = tTrackRange{}; }, {1, 2, 3, 4, 5});
        row("item 2 to 4", [](C c) { c.ItemNumber = tTrackRange{"2", "4"}; }, {2, 3, 4});
        row("year 1909 to 1958", [](C c) { c.Year = tTrackRange{"1909", "1958"}; }, {1, 2, 3});
        row("D*Y: search anywhere, ignoring case, not DY", [](C c) { c.Comment = "D*Y"; }, {1, 2, 3});
        row("? is exactly one character", [](C c) { c.Comment = "D?Y"; }, {1, 3});
        row("1.5 does not find 105", [](C c) { c.Notes = "1.5"; }, {4});
        row("graded by, blank, does not restrict", [](C c) { c.GradedBy = "  "; }, {1, 2, 3, 4, 5});
        row("graded by", [](C c) { c.GradedBy = "pcgs"; }, {1});
        row("stored in", [](C c) { c.StoredIn = "box"; }, {1});
        row("buy price 5 to 12.50", [](C c) { c.BuyPrice = tTrackRange{"5", "12.50"}; }, {1, 2});
        row("grade 0 to 40: no grade fails", [](C c) { c.Grade = std::pair{0, 40}; }, {1, 3, 4, 5});
        row("grade 20 to 25", [](C c) { c.Grade = std::pair{20, 25}; }, {4, 5});
        row("date purchased, both days included", [](C c) { c.BuyDate = std::pair{45000, 45010}; }, {1, 2});
        row("minimum Have", [](C c) { c.MinQuantity[0] = 2; }, {2, 3});
        row("minimum Need", [](C c) { c.MinQuantity[1] = 1; }, {3});
        row("mint error yes", [](C c) { c.MintError = true; }, {2});
        row("mint error no", [](C c) { c.MintError = false; }, {1, 3, 4, 5});
        row("unlocked", [](C c) { c.PriceLock = LockUnlocked; }, {1, 4, 5});
        row("buy locked", [](C c) { c.PriceLock = LockBuy; }, {2});
        row("sell locked", [](C c) { c.PriceLock = LockSell; }, {3});
        row("paper money", [](C c) { c.ItemType = ItemTypePaperMoney; }, {4});
        row("coins", [](C c) { c.ItemType = ItemTypeCoins; }, {1, 2, 3, 5});
        row("value 10 to 20: a locked price is the value", [](C c) { c.Value = tTrackRange{"10", "20"}; }, {1, 2});
        row("value ticked, blank: entries with a price row", [](C c) { c.Value = tTrackRange{}; }, {1, 2, 3, 5});
        row("metal", [](C c) { c.Metal = 1; }, {1, 3});
        row("metal ticked with none chosen: nothing", [](C c) { c.Metal = NoMetalChosen; }, {});
        row("catalogue pattern", [](C c) { c.Catalog = "KM*"; }, {1, 3, 5});
        row("criteria combine", [](C c) {
            c.Catalog = "KM*";
            c.Year = tTrackRange{"1900", "1999"};
            c.MinQuantity[0] = 2;
        }, {3});
    }
    void criteriaSelectEntries()
    {
        QFETCH(tSetCriteria, set);
        QFETCH(QList<int>, matching);
        tCollection col;
        tTrackCriteria criteria;
        set(criteria);
        tPriceRowCache cache;
        QCOMPARE(col.Matching(criteria, cache), matching);
    }

    void userFieldCriteria_data()
    {
        QTest::addColumn<tSetCriteria>("set");
        QTest::addColumn<QList<int>>("matching");
        const auto row = [](const char *name, tFieldCriterion f, QList<int> matching) {
            QTest::newRow(name) << tSetCriteria([f](tTrackCriteria &c) { c.Fields.push_back(f); }) << matching;
        };
        tFieldCriterion text = Field(0, UDFTextBox);
        text.Text = "smith*";
        row("text pattern", text, {1, 2});
        text.Text = "";
        row("blank text passes, short slots do not fail a text row", text, {1, 2, 3, 4, 5});
        tFieldCriterion pick = Field(1, UDFPickList);
        pick.Text = "A";
        row("pick list: the whole value, ignoring case", pick, {1, 3, 5});
        pick.Text = "";
        row("pick list without a choice passes", pick, {1, 2, 3, 4, 5});
        tFieldCriterion check = Field(2, UDFCheckBox);
        check.Yes = true;
        row("check box yes: the value begins with T", check, {1, 3});
        check.Yes = false;
        row("check box no; a missing slot fails", check, {2, 4});
        tFieldCriterion money = Field(3, UDFMoney);
        money.Range = {"10", "20"};
        row("money 10 to 20", money, {1, 4});
        tFieldCriterion number = Field(4, UDFNumber);
        number.Range = {"3", "5"};
        row("number 3 to 5", number, {1, 2, 4});
        tFieldCriterion real = Field(5, UDFReal);
        real.Range = {"1.5", "2.5"};
        row("real 1.5 to 2.5; a value that does not convert fails", real, {1, 2});
        real.Range = {"1.x", ""};
        row("a real bound that does not convert fails every entry", real, {});
        tFieldCriterion date = Field(6, UDFDate);
        date.DateFrom = 45000;
        date.DateTo = 45010;
        row("date range, both days included", date, {1, 3});
        tFieldCriterion phone = Field(7, UDFPhone);
        phone.Text = "(555";
        row("phone prefix", phone, {1, 2, 4});
        phone.Text = "(555)1";
        row("phone prefix longer than a value", phone, {1});
    }
    void userFieldCriteria() { criteriaSelectEntries(); }

    void trackingInScopeAndCounters()
    {
        tCollection col;
        tMainState &s = *col.S;
        s.CoinList[0]->User1 = true;   // item 1: outside the criteria
        s.CoinList[3]->User1 = true;   // item 4: in the paper series, outside the scope below
        tTrackCriteria criteria;
        criteria.Year = tTrackRange{"1910", "1958"};  // items 2 and 3
        tPriceRowCache cache;

        // Counting alone changes nothing.
        const tTrackCounts before = EvaluateTracks(s, criteria, s.EntireCollection.get(), false, false, cache);
        QCOMPARE(before, (tTrackCounts{0, 2, 2, 1}));
        QVERIFY(!s.DataModified);

        // Track matching in the selected series: the paper series keeps its
        // mark, item 1 loses its own, and nothing matching is left untracked.
        const tTrackCounts after = EvaluateTracks(s, criteria, s.SelectedTreeNode, true, false, cache);
        QCOMPARE(after, (tTrackCounts{2, 0, 0, 2}));
        QList<int> tracked;
        for (const auto &c : s.CoinList)
            if (c->User1)
                tracked << c->Inventory;
        QCOMPARE(tracked, (QList<int>{2, 3, 4}));
        QVERIFY(s.DataModified);

        // Track non-matching over the entire collection.
        s.DataModified = false;
        QCOMPARE(EvaluateTracks(s, criteria, s.EntireCollection.get(), true, true, cache), (tTrackCounts{0, 3, 2, 0}));
        QVERIFY(s.DataModified);

        // Tracking again with the same result is no change.
        s.DataModified = false;
        EvaluateTracks(s, criteria, s.EntireCollection.get(), true, true, cache);
        QVERIFY(!s.DataModified);

        tMainState empty;
        QCOMPARE(EvaluateTracks(empty, criteria, empty.EntireCollection.get(), true, false, cache), tTrackCounts{});
    }

    void priceRowsAreLookedUpOnceAndDroppedWhenStale()
    {
        tCollection col;
        tMainState &s = *col.S;
        tTrackCriteria criteria;
        criteria.Catalog = "KM*";
        tPriceRowCache cache;
        col.Matching(criteria, cache);
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 5);
        // The cache is the window's own: the entries are left as they were.
        for (const auto &c : s.CoinList) {
            QCOMPARE(c->PriceInfo, nullptr);
            QCOMPARE(c->tag, 0);
        }
        PriceListChanged(s);
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 10);
        s.DeleteCoin(s.CoinList.back().get());
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 14);
        // Without a price-row criterion no row is looked up at all.
        criteria.Catalog.reset();
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 14);
    }

    // Whatever changed an entry (the editor, a paste, a move), a kept row
    // is used only while what chose it is unchanged.
    void aChangedEntryIsLookedUpAgain()
    {
        tCollection col;
        tMainState &s = *col.S;
        tTrackCriteria criteria;
        criteria.Catalog = "KM*";
        tPriceRowCache cache;
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 5);
        tCoinInfo &first = *s.CoinList[0];
        first.Year = 1911;
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 6);
        first.Mint = QStringLiteral("D");
        s.CoinList[1]->Variety = QStringLiteral("B");
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 8);
        first.Folder = col.Paper;
        first.CoinType = col.Paper->CoinType;
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 9);
        col.Matching(criteria, cache);
        QCOMPARE(cache.Lookups(), 9);
    }

    // Under a comma locale a bound or a stored amount may carry either mark.
    void boundsReadEitherDecimalMark_data()
    {
        QTest::addColumn<tSetCriteria>("set");
        QTest::addColumn<QList<int>>("matching");
        const auto row = [](const char *name, tSetCriteria set, QList<int> matching) {
            QTest::newRow(name) << set << matching;
        };
        using C = tTrackCriteria &;
        row("buy price 12.50 alone", [](C c) { c.BuyPrice = tTrackRange{"12.50", ""}; }, {2});
        row("buy price 12,50 alone", [](C c) { c.BuyPrice = tTrackRange{"12,50", ""}; }, {2});
        row("buy price 5,00 to 12.5", [](C c) { c.BuyPrice = tTrackRange{"5,00", "12.5"}; }, {1, 2});
        row("value 10.00 to 20,00", [](C c) { c.Value = tTrackRange{"10.00", "20,00"}; }, {1, 2});
        const auto field = [](int index, int type, tTrackRange range) {
            return tSetCriteria([=](tTrackCriteria &c) {
                tFieldCriterion f = Field(index, type);
                f.Range = range;
                c.Fields.push_back(f);
            });
        };
        row("money 15,00 alone finds a stored 15.00", field(3, UDFMoney, {"15,00", ""}), {1});
        row("money 9.99 to 20", field(3, UDFMoney, {"9.99", "20"}), {1, 3, 4});
        row("real 2.5 alone", field(5, UDFReal, {"2.5", ""}), {2});
        row("real 1,5 to 3", field(5, UDFReal, {"1,5", "3"}), {1, 2, 4});
    }
    void boundsReadEitherDecimalMark()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
        criteriaSelectEntries();
    }

    void historyFieldItems()
    {
        tCollection col;
        AddCoin(*col.S, {.UDFstring = "SMITH & CO"});
        AddCoin(*col.S, {.UDFstring = " "});
        QCOMPARE(FieldHistoryItems(*col.S, 0), (QStringList{"Smith & Co", "smithy", "Jones", "smith", "Other"}));
    }

    void phoneMask_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("key");  // a digit, "BS", "DEL" or "other"
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("consumed");
        QTest::newRow("first digit opens the bracket") << "" << 0 << "5" << "(5" << true;
        QTest::newRow("fourth closes it") << "(555" << 4 << "1" << "(555)1" << true;
        QTest::newRow("seventh adds the hyphen") << "(555)123" << 8 << "4" << "(555)123-4" << true;
        QTest::newRow("digits go to the end wherever the caret is") << "(555)12" << 2 << "3" << "(555)123" << true;
        QTest::newRow("a full number takes no more") << "(555)123-4567" << 13 << "8" << "(555)123-4567" << true;
        QTest::newRow("backspace at the end") << "(555)123-45" << 11 << "BS" << "(555)123-4" << true;
        QTest::newRow("a separator goes with the digit before it") << "(555)123-4" << 9 << "BS" << "(555)12" << true;
        QTest::newRow("a trailing separator left is removed") << "(555)1" << 6 << "BS" << "(555" << true;
        QTest::newRow("text after the caret is dropped") << "(555)123-4567" << 3 << "DEL" << "(5" << true;
        QTest::newRow("after the opening bracket") << "(555" << 1 << "BS" << "" << true;
        QTest::newRow("at the start nothing changes") << "(555)123" << 0 << "BS" << "(555)123" << true;
        QTest::newRow("delete at the start nothing changes") << "(555)123" << 0 << "DEL" << "(555)123" << true;
        QTest::newRow("other keys are the edit's") << "(555" << 2 << "other" << "(555" << false;
    }
    void phoneMask()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, key);
        QFETCH(QString, result);
        QFETCH(bool, consumed);
        const tPhoneKey k = key == QLatin1String("BS")      ? tPhoneKey::Backspace
                            : key == QLatin1String("DEL")   ? tPhoneKey::Delete
                            : key == QLatin1String("other") ? tPhoneKey::Other
                                                            : tPhoneKey::Digit;
        const tPhoneKeyResult r = PhoneKeyDown(text, caret, k, key.at(0));
        QCOMPARE(r.Text, result);
        QCOMPARE(r.Consumed, consumed);
        if (consumed && text != result)
            QCOMPARE(r.Caret, static_cast<int>(result.size()));
    }
};

QTEST_MAIN(tst_TrackCriteria)
#include "tst_trackcriteria.moc"
