#include <QtTest>

#include <functional>

#include "core/model/commatext.h"
#include "browse/coins/coingrid.h"
#include "browse/coins/coingridcells.h"
#include "support/coinfixture.h"

namespace {

// Builds the entries of one sort case in their starting order; each entry's
// Comment is left free for its name unless the case sorts by Comment, in
// which case the names go into Notes.
using tBuild = std::function<void(tMainState &, tCoinPrices &)>;

QString Names(const tMainState &s)
{
    QStringList out;
    for (const tCoinInfo *c : s.CurrCoinList)
        out << c->Notes;
    return out.join(QLatin1Char(' '));
}

tCoinInfo *Named(tMainState &s, const char *name, tCoinInfo init = {})
{
    init.Notes = QLatin1String(name);
    return AddCoin(s, std::move(init));
}

// Lists every entry of the series (all have counts; the views are on).
void ListAll(tMainState &s)
{
    ApplyViewFilter(s, nullptr);
}

} // namespace

Q_DECLARE_METATYPE(tBuild)

class tst_CoinGrid : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // ---- View filter ----

    void viewFilter_data()
    {
        QTest::addColumn<QString>("views");  // H, N, S, O: the views switched on
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no counts shows with every view off") << "" << QList<int>{0, 0, 0, 0} << true;
        QTest::newRow("have alone with only need on is hidden") << "N" << QList<int>{2, 0, 0, 0} << false;
        QTest::newRow("have and need with only need on is shown") << "N" << QList<int>{2, 1, 0, 0} << true;
        QTest::newRow("have view") << "H" << QList<int>{1, 0, 0, 0} << true;
        QTest::newRow("need view") << "N" << QList<int>{0, 3, 0, 0} << true;
        QTest::newRow("sell view") << "S" << QList<int>{0, 0, 1, 0} << true;
        QTest::newRow("sold view") << "O" << QList<int>{0, 0, 0, 1} << true;
        QTest::newRow("sold with sold off") << "HNS" << QList<int>{0, 0, 0, 4} << false;
        QTest::newRow("sell and sold with both off") << "HN" << QList<int>{0, 0, 1, 1} << false;
    }
    void viewFilter()
    {
        QFETCH(QString, views);
        QFETCH(QList<int>, counts);
        QFETCH(bool, shown);
        auto s = NewCoinState();
        s->ViewHave = views.contains(QLatin1Char('H'));
        s->ViewNeed = views.contains(QLatin1Char('N'));
        s->ViewSell = views.contains(QLatin1Char('S'));
        s->ViewSold = views.contains(QLatin1Char('O'));
        AddCoin(*s, {.Have = counts[0], .Need = counts[1], .Sell = counts[2], .Sold = counts[3]});
        const int hidden = ApplyViewFilter(*s, nullptr);
        QCOMPARE(s->CurrCoinList.size(), shown ? 1u : 0u);
        QCOMPARE(hidden, shown ? 0 : 1);
    }

    void viewFilterListsTheSeriesInCollectionOrder()
    {
        auto s = NewCoinState();
        s->ViewHave = false;
        Named(*s, "a", {.Year = 1950, .Need = 1});
        Named(*s, "hidden1", {.Year = 1900, .Have = 1});
        AddCoin(*s, {.CoinType = OtherSeries, .Need = 1});
        Named(*s, "b", {.Year = 1910, .Need = 1});
        Named(*s, "hidden2", {.Have = 2});
        const int hidden = ApplyViewFilter(*s, nullptr);
        QCOMPARE(Names(*s), QStringLiteral("a b"));
        QCOMPARE(hidden, 2);
        QCOMPARE(HiddenItemsText(hidden), QStringLiteral("2 items hidden."));
        QCOMPARE(HiddenItemsText(1), QStringLiteral("1 item hidden."));
        QCOMPARE(HiddenItemsText(0), QString());
    }

    void forcedCoinIsShownWhileOthersStayHidden()
    {
        auto s = NewCoinState();
        s->ViewSold = false;
        Named(*s, "shown", {.Have = 1});
        tCoinInfo *tracked = Named(*s, "tracked", {.Sold = 1});
        Named(*s, "other", {.Sold = 1});
        QCOMPARE(ApplyViewFilter(*s, tracked), 1);
        QCOMPARE(Names(*s), QStringLiteral("shown tracked"));
    }

    void refillBringsTheCurrentRowBackWithinTheList()
    {
        auto s = NewCoinState();
        for (int i = 0; i < 5; ++i)
            AddCoin(*s, {.Have = i < 2 ? 1 : 0, .Need = i < 2 ? 0 : 1});
        ListAll(*s);
        s->CoinGridRow = 4;
        s->ViewNeed = false;
        ApplyViewFilter(*s, nullptr);
        QCOMPARE(s->CoinGridRow, 1);
        QCOMPARE(s->Lastrow, 1);
        s->ViewHave = false;
        ApplyViewFilter(*s, nullptr);
        QCOMPARE(s->CoinGridRow, -1);
        QCOMPARE(s->Lastrow, -1);
    }

    void warningText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("hiddenEntries");
        QTest::addColumn<QString>("text");
        const QString advice = QStringLiteral(
            " hidden from view by the view filter.\rClick on \"Settings\" on the left side of this window to "
            "change the filter\rif you want to change which type of entries are shown or hidden");
        QTest::newRow("no entries") << "Lincoln Cents" << 0
                                    << "There are currently no coins in the folder\r\"Lincoln Cents\"";
        QTest::newRow("one hidden") << "Lincoln Cents" << 1
                                    << "There is 1 entry in the folder\r\"Lincoln Cents\"\r\rThis entry is" + advice;
        QTest::newRow("three hidden")
            << "Lincoln Cents" << 3
            << "There are 3 entries in the folder\r\"Lincoln Cents\"\r\rThese entries are" + advice;
        QTest::newRow("ampersand shown as it is") << "Shield & Wreath" << 0
                                                  << "There are currently no coins in the folder\r\"Shield & Wreath\"";
    }
    void warningText()
    {
        QFETCH(QString, name);
        QFETCH(int, hiddenEntries);
        QFETCH(QString, text);
        auto s = NewCoinState();
        s->SelectedTreeNode->NodeName = name;
        s->ViewHave = false;
        for (int i = 0; i < hiddenEntries; ++i)
            AddCoin(*s, {.Have = 1});
        AddCoin(*s, {.CoinType = OtherSeries, .Have = 1});
        ApplyViewFilter(*s, nullptr);
        QCOMPARE(WarningPanelCoinsText(*s), text);
        s->ViewHave = true;
        ApplyViewFilter(*s, nullptr);
        if (hiddenEntries)
            QCOMPARE(WarningPanelCoinsText(*s), QString());
    }

    // ---- Sort keys ----

    void sortKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<tBuild>("build");
        QTest::addColumn<QString>("order");
        using S = tMainState &;
        using V = tCoinPrices &;
        QTest::newRow("Image: entries with a picture first")
            << int(ColImage) << tBuild([](S s, V) {
                   Named(s, "none", {.OtherImages = QStringLiteral("  ")});
                   Named(s, "receipt", {.Receipt = QStringLiteral("r.jpg")});
                   Named(s, "others", {.OtherImages = QStringLiteral("a.jpg")});
               })
            << "receipt others none";
        QTest::newRow("Bin: entries in the bin first") << int(ColBin) << tBuild([](S s, V) {
            Named(s, "out");
            Named(s, "in", {.InBin = true});
        }) << "in out";
        QTest::newRow("Year: numeric") << int(ColYear) << tBuild([](S s, V) {
            Named(s, "y1910", {.Year = 1910});
            Named(s, "y909", {.Year = 909});
            Named(s, "y2000", {.Year = 2000});
        }) << "y909 y1910 y2000";
        QTest::newRow("Mint: text ignoring case") << int(ColMint) << tBuild([](S s, V) {
            Named(s, "S", {.Mint = QStringLiteral("S")});
            Named(s, "d", {.Mint = QStringLiteral("d")});
            Named(s, "P", {.Mint = QStringLiteral("P")});
            Named(s, "D", {.Mint = QStringLiteral("D")});
        }) << "d D P S";
        QTest::newRow("Variety: locale order") << int(ColVariety) << tBuild([](S s, V) {
            Named(s, "wheat", {.Variety = QStringLiteral("Wheat")});
            Named(s, "emh", {.Variety = QStringLiteral("émission")});
            Named(s, "doubled", {.Variety = QStringLiteral("doubled die")});
        }) << "doubled emh wheat";
        QTest::newRow("GM: text ignoring case") << int(ColGM) << tBuild([](S s, V) {
            Named(s, "rd", {.GM = QStringLiteral("RD")});
            Named(s, "bn", {.GM = QStringLiteral("bn")});
        }) << "bn rd";
        QTest::newRow("Grade: no grade first") << int(ColGrade) << tBuild([](S s, V) {
            Named(s, "g5", {.Grade = 5});
            Named(s, "none", {.Grade = -1});
            Named(s, "g0", {.Grade = 0});
        }) << "none g0 g5";
        QTest::newRow("Have") << int(ColHave) << tBuild([](S s, V) {
            Named(s, "h3", {.Have = 3});
            Named(s, "h1", {.Have = 1});
        }) << "h1 h3";
        QTest::newRow("Sold") << int(ColSold) << tBuild([](S s, V) {
            Named(s, "s2", {.Sold = 2});
            Named(s, "s0", {});
        }) << "s0 s2";
        QTest::newRow("Price: buy price") << int(ColPrice) << tBuild([](S s, V) {
            Named(s, "p10", {.BuyPrice = M(10)});
            Named(s, "p2", {.BuyPrice = M(2.5)});
        }) << "p2 p10";
        // The valuation resolves a special code: "n/a" is worth nothing.
        QTest::newRow("Value: an entry priced n/a is worth nothing") << int(ColValue) << tBuild([](S s, V v) {
            v.Set(Named(s, "v30", {.BuyPrice = M(1)}), M(30));
            v.Set(Named(s, "code", {.BuyPrice = M(20)}), M(-18));
            v.Set(Named(s, "v5", {.BuyPrice = M(50)}), M(5));
            Named(s, "unpriced", {.BuyPrice = M(3)});
        }) << "code unpriced v5 v30";
        QTest::newRow("Change: value less buy price") << int(ColChange) << tBuild([](S s, V v) {
            v.Set(Named(s, "gain", {.BuyPrice = M(1)}), M(30));
            v.Set(Named(s, "loss", {.BuyPrice = M(50)}), M(40));
            v.Set(Named(s, "even", {.BuyPrice = M(5)}), M(5));
        }) << "loss even gain";
        QTest::newRow("Item: item number") << int(ColItem) << tBuild([](S s, V) {
            Named(s, "i12", {.Inventory = 12});
            Named(s, "i3", {.Inventory = 3});
        }) << "i3 i12";
        QTest::newRow("Graded-by: code units, case counts") << int(ColGradedBy) << tBuild([](S s, V) {
            Named(s, "b", {.Gradedby = QStringLiteral("b")});
            Named(s, "B", {.Gradedby = QStringLiteral("B")});
            Named(s, "a", {.Gradedby = QStringLiteral("a")});
        }) << "B a b";
        QTest::newRow("Comment: a-z as A-Z, equal ones keep their order")
            << int(ColComment) << tBuild([](S s, V) {
                   Named(s, "b", {.Comment = QStringLiteral("b")});
                   Named(s, "B", {.Comment = QStringLiteral("B")});
                   Named(s, "a", {.Comment = QStringLiteral("a")});
                   Named(s, "_", {.Comment = QStringLiteral("_")});
               })
            << "a b B _";
        QTest::newRow("Error: marked first") << int(ColError) << tBuild([](S s, V) {
            Named(s, "plain");
            Named(s, "error", {.MintError = true});
        }) << "error plain";
        QTest::newRow("Track: tracked first") << int(ColTrack) << tBuild([](S s, V) {
            Named(s, "plain");
            Named(s, "tracked", {.User1 = true});
        }) << "tracked plain";
        QTest::newRow("Stored-in: only a-z are raised") << int(ColStoredIn) << tBuild([](S s, V) {
            Named(s, "accent", {.Stored = QStringLiteral("\u00e9tui")});
            Named(s, "zz", {.Stored = QStringLiteral("zz")});
            Named(s, "Y", {.Stored = QStringLiteral("Y")});
        }) << "Y zz accent";
        QTest::newRow("Catalog: of the price entry, none first") << int(ColCatalog) << tBuild([](S s, V v) {
            v.Set(Named(s, "km9"), M(1), v.Price(QStringLiteral("KM-9")));
            v.Set(Named(s, "km10"), M(1), v.Price(QStringLiteral("km-10")));
            Named(s, "none");
        }) << "none km10 km9";
        QTest::newRow("Extended: value times every count") << int(ColExtended) << tBuild([](S s, V v) {
            v.Set(Named(s, "ten", {.Have = 1, .Need = 5}), M(10));
            v.Set(Named(s, "twenty", {.Have = 2}), M(20));
        }) << "twenty ten";
        QTest::newRow("Purchased: no date first") << int(ColPurchased) << tBuild([](S s, V) {
            Named(s, "late", {.BuyDate = 45000});
            Named(s, "none", {});
            Named(s, "early", {.BuyDate = 30000});
        }) << "none early late";
        QTest::newRow("Date sold") << int(ColDateSold) << tBuild([](S s, V) {
            Named(s, "late", {.SellDate = 45000});
            Named(s, "early", {.SellDate = 30000});
        }) << "early late";
    }
    void sortKey()
    {
        QFETCH(int, key);
        QFETCH(tBuild, build);
        QFETCH(QString, order);
        auto s = NewCoinState();
        tCoinPrices v;
        v.Install(*s);
        build(*s, v);
        ListAll(*s);
        s->CoinSortOrder = {key, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(Names(*s), order);
    }

    void userFieldKey_data()
    {
        QTest::addColumn<int>("fieldType");
        QTest::addColumn<QStringList>("texts");  // slot 1 of each entry, in list order
        QTest::addColumn<QString>("order");      // entries named by position
        QTest::newRow("text ignores case") << int(UDFTextBox) << QStringList{"beta", "Alpha", "alpha", "Gamma"}
                                           << "1 2 0 3";
        QTest::newRow("pick list") << int(UDFPickList) << QStringList{"Slab", "album"} << "1 0";
        QTest::newRow("check box: F before T") << int(UDFCheckBox) << QStringList{"T", "F", "T", "F"} << "1 3 0 2";
        QTest::newRow("money in whole cents, unreadable as 0")
            << int(UDFMoney) << QStringList{"1.5", "1.45", "abc", "1e2", " -2", "1.459"} << "4 2 1 5 0 3";
        QTest::newRow("money ignores a comma") << int(UDFMoney) << QStringList{"1,50", "0.99"} << "1 0";
        QTest::newRow("date as a whole number") << int(UDFDate) << QStringList{"45000", "30000.9", "x"} << "2 1 0";
        QTest::newRow("number: leading digits, sign, blanks")
            << int(UDFNumber) << QStringList{"12abc", " -3", "x", "+4"} << "1 2 3 0";
        QTest::newRow("number beyond 64 bits saturates")
            << int(UDFNumber) << QStringList{"99999999999999999999999", "5", "-99999999999999999999999"} << "2 1 0";
        QTest::newRow("real number in the user's locale") << int(UDFReal) << QStringList{"2.5", "10", "-1"}
                                                          << "2 0 1";
        QTest::newRow("real number that does not read counts as 0")
            << int(UDFReal) << QStringList{"5", "x", "-1", "nan", "0"} << "2 1 3 4 0";
        QTest::newRow("empty space is always equal") << int(UDFEmptySpace) << QStringList{"b", "a"} << "0 1";
        QTest::newRow("missing slots are empty") << int(UDFTextBox) << QStringList{"a", QString()} << "1 0";
    }
    void userFieldKey()
    {
        QFETCH(int, fieldType);
        QFETCH(QStringList, texts);
        QFETCH(QString, order);
        auto s = NewCoinState();
        AddField(*s, UDFTextBox);
        AddField(*s, fieldType);
        for (int i = 0; i < texts.size(); ++i)
            Named(*s, QByteArray::number(i).constData(),
                  {.UDFstring = texts[i].isNull() ? QStringLiteral("only") : CommaTextJoin({QStringLiteral("x"), texts[i]})});
        ListAll(*s);
        s->CoinSortOrder = {FixedColumnCount + 1, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(Names(*s), order);
    }

    void keyOfAMissingFieldKeepsTheOrder()
    {
        auto s = NewCoinState();
        AddField(*s, UDFTextBox);
        Named(*s, "b", {.UDFstring = QStringLiteral("b")});
        Named(*s, "a", {.UDFstring = QStringLiteral("a")});
        ListAll(*s);
        s->CoinSortOrder = {FixedColumnCount + 3, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(Names(*s), QStringLiteral("b a"));
    }

    void laterKeysDecideTiesAndEqualEntriesKeepTheirOrder()
    {
        auto s = NewCoinState();
        Named(*s, "g5y1920a", {.Year = 1920, .Grade = 5});
        Named(*s, "g3y1930", {.Year = 1930, .Grade = 3});
        Named(*s, "g5y1910", {.Year = 1910, .Grade = 5});
        Named(*s, "g5y1920b", {.Year = 1920, .Grade = 5});
        Named(*s, "g3y1900", {.Year = 1900, .Grade = 3});
        ListAll(*s);
        s->CoinSortOrder = {ColGrade, ColYear, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(Names(*s), QStringLiteral("g3y1900 g3y1930 g5y1910 g5y1920a g5y1920b"));
        // Sorting again changes nothing, and a negative key ends the list:
        // the Mint key after it takes no part.
        std::swap(s->CurrCoinList[3], s->CurrCoinList[4]);
        s->CurrCoinList[3]->Mint = QStringLiteral("Z");
        s->CoinSortOrder = {ColGrade, NoSortKey, ColMint};
        SortFolderCoins(*s);
        QCOMPARE(Names(*s), QStringLiteral("g3y1900 g3y1930 g5y1910 g5y1920b g5y1920a"));
    }

    void longListsKeepEqualEntriesInOrder()
    {
        auto s = NewCoinState();
        for (int i = 0; i < 60; ++i)
            Named(*s, QByteArray::number(i).constData(), {.Year = (i * 7) % 3});
        ListAll(*s);
        s->CoinSortOrder = {ColYear, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        for (int i = 1; i < 60; ++i) {
            const tCoinInfo *a = s->CurrCoinList[i - 1];
            const tCoinInfo *b = s->CurrCoinList[i];
            QVERIFY(a->Year < b->Year || (a->Year == b->Year && a->Notes.toInt() < b->Notes.toInt()));
        }
    }

    void priceKeysRefreshEveryValueOnceFirst()
    {
        auto s = NewCoinState();
        tCoinPrices v;
        v.Install(*s);
        tCoinInfo *a = Named(*s, "a", {.BuyPrice = M(7)});
        tCoinInfo *b = Named(*s, "b");
        tPriceInfo *pb = v.Price();
        v.Set(a, M(6));
        v.Set(b, M(4), pb);
        a->TempValue = M(99);
        ListAll(*s);

        s->CoinSortOrder = {ColYear, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(a->TempValue, M(99));
        QCOMPARE(b->PriceInfo, nullptr);

        // A price key anywhere among the three asks for the values.
        s->CoinSortOrder = {ColYear, NoSortKey, ColChange};
        SortFolderCoins(*s);
        QCOMPARE(a->TempValue, M(6));
        QCOMPARE(b->TempValue, M(4));
        QCOMPARE(b->PriceInfo, pb);

        // Each sort asks again: a changed price shows at the next one.
        pb->Value[static_cast<size_t>(b->Grade)] = M(9);
        s->CoinSortOrder = {ColChange, NoSortKey, NoSortKey};
        SortFolderCoins(*s);
        QCOMPARE(b->TempValue, M(9));
        QCOMPARE(Names(*s), QStringLiteral("a b"));
    }

    // ---- Header clicks ----

    void headerClicks_data()
    {
        QTest::addColumn<QString>("clicks");  // column numbers, "t" for a housekeeping tick
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("next");
        const int no = NoSortKey;
        QTest::newRow("a click starts a one-key sort") << "2" << QList<int>{2, no, no} << 1;
        QTest::newRow("a second click adds the second key") << "2 3" << QList<int>{2, 3, no} << 2;
        QTest::newRow("the first key's column again swaps") << "2 3 2" << QList<int>{3, 2, no} << 2;
        QTest::newRow("a third column ends the refinement") << "2 3 2 6" << QList<int>{3, 2, 6} << 0;
        QTest::newRow("the next click starts over") << "2 3 2 6 7" << QList<int>{7, no, no} << 1;
        QTest::newRow("the first column twice does nothing") << "2 2" << QList<int>{2, no, no} << 1;
        QTest::newRow("the second key's column does nothing") << "2 3 3" << QList<int>{2, 3, no} << 2;
        QTest::newRow("within the window") << "2 t t 3" << QList<int>{2, 3, no} << 2;
        QTest::newRow("after the window has lapsed") << "2 t t t 3" << QList<int>{3, no, no} << 1;
        QTest::newRow("a second key reopens the window") << "2 t t 3 t t 4" << QList<int>{2, 3, 4} << 0;
    }
    void headerClicks()
    {
        QFETCH(QString, clicks);
        QFETCH(QList<int>, keys);
        QFETCH(int, next);
        auto s = NewCoinState();
        for (const QString &c : clicks.split(QLatin1Char(' '))) {
            if (c == QLatin1String("t"))
                CoinSortTick(*s);
            else
                CoinGridHeaderClick(*s, c.toInt());
        }
        QCOMPARE(QList<int>(s->CoinSortOrder.begin(), s->CoinSortOrder.end()), keys);
        QCOMPARE(s->NextCoinSort, next);
    }

    void headerClickSortsAndKeepsTheCurrentEntry()
    {
        auto s = NewCoinState();
        Named(*s, "P1950", {.Year = 1950, .Mint = QStringLiteral("P")});
        Named(*s, "D1950", {.Year = 1950, .Mint = QStringLiteral("D")});
        tCoinInfo *c = Named(*s, "S1900", {.Year = 1900, .Mint = QStringLiteral("S")});
        ListAll(*s);
        s->CoinGridRow = 2;
        QVERIFY(CoinGridHeaderClick(*s, ColMint));
        QCOMPARE(Names(*s), QStringLiteral("D1950 P1950 S1900"));
        QCOMPARE(s->CurrCoinList[s->CoinGridRow], c);
        QVERIFY(CoinGridHeaderClick(*s, ColYear));
        QCOMPARE(Names(*s), QStringLiteral("D1950 P1950 S1900"));
        QVERIFY(CoinGridHeaderClick(*s, ColMint));  // swap: Year, then Mint
        QCOMPARE(Names(*s), QStringLiteral("S1900 D1950 P1950"));
        QCOMPARE(s->CoinGridRow, 0);
        QVERIFY(!CoinGridHeaderClick(*s, ColMint));
    }

    // ---- Clicks and the multi-selection ----

    void rowClicks()
    {
        auto s = NewCoinState();
        for (int i = 0; i < 10; ++i)
            AddCoin(*s, {.Have = 1});
        ListAll(*s);
        const auto marked = [&] {
            QList<int> out;
            for (int i = 0; i < 10; ++i)
                if (s->CurrCoinList[i]->selected)
                    out << i;
            return out;
        };
        const auto click = [&](int row, bool ctrl, bool shift) {
            QVERIFY(CoinGridSelectCell(*s, row));
            CoinGridCellClick(*s, row, ctrl, shift);
            QCOMPARE(s->Lastrow, row);
        };
        click(7, false, false);
        click(3, false, true);
        QCOMPARE(marked(), (QList<int>{3, 4, 5, 6, 7}));
        click(5, false, false);
        QCOMPARE(marked(), QList<int>{});

        // Ctrl marks the row left behind; the current row counts anyway.
        click(2, true, false);
        QCOMPARE(marked(), QList<int>{5});
        QCOMPARE(SelectedCoins(*s).size(), 2u);
        click(9, true, false);
        QCOMPARE(marked(), (QList<int>{2, 5}));
        QCOMPARE(SelectedCoins(*s).size(), 3u);
        // Ctrl on a marked current row unmarks it when the next click leaves.
        click(5, true, false);
        click(6, true, false);
        QCOMPARE(marked(), (QList<int>{2, 9}));
    }

    void selectCellIgnoresRowsOutsideTheList()
    {
        auto s = NewCoinState();
        AddCoin(*s, {.Have = 1});
        ListAll(*s);
        s->CurrCoinList[0]->Inventory = 41;
        int filled = 0;
        QObject::connect(s->Events.get(), &tStateEvents::FillCoinEditor, [&] { ++filled; });
        QVERIFY(CoinGridSelectCell(*s, 0));
        QVERIFY(!CoinGridSelectCell(*s, 1));
        QVERIFY(!CoinGridSelectCell(*s, -1));
        QCOMPARE(s->CoinGridRow, 0);
        QCOMPARE(filled, 1);
        // The row reached last is where item navigation goes on from.
        QCOMPARE(s->LastItemNumberAccessed, 41);
        // A Ctrl or Shift click with no anchor in the list touches no mark
        // outside it.
        s->Lastrow = 7;
        CoinGridCellClick(*s, 0, true, false);
        s->Lastrow = -1;
        CoinGridCellClick(*s, 0, false, true);
        QVERIFY(s->CurrCoinList[0]->selected);
    }

    void selectCoinTopRow_data()
    {
        QTest::addColumn<int>("visible");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("top");
        QTest::newRow("near the start") << 10 << 3 << 0;
        QTest::newRow("further down") << 10 << 20 << 15;
        QTest::newRow("at least three rows count") << 2 << 20 << 18;
        QTest::newRow("odd row count truncates") << 7 << 20 << 16;
    }
    void selectCoinTopRow()
    {
        QFETCH(int, visible);
        QFETCH(int, index);
        QFETCH(int, top);
        QCOMPARE(SelectCoinTopRow(index, visible), top);
    }

    void selectCoinOfAnUnlistedEntryChangesNothing()
    {
        auto s = NewCoinState();
        tCoinInfo *a = AddCoin(*s, {.Have = 1});
        tCoinInfo *b = AddCoin(*s, {.Have = 1});
        tCoinInfo *other = AddCoin(*s, {.CoinType = OtherSeries, .Have = 1});
        ListAll(*s);
        QCOMPARE(SelectCoin(*s, b), 1);
        QCOMPARE(SelectCoin(*s, other), -1);
        QCOMPARE(SelectCoin(*s, nullptr), -1);
        QCOMPARE(s->CoinGridRow, 1);
        QCOMPARE(SelectCoin(*s, a), 0);
    }

    // ---- Totals ----

    void summaryNeedsTwoEntries()
    {
        auto s = NewCoinState();
        AddCoin(*s, {.Have = 1});
        AddCoin(*s, {.Have = 1});
        ListAll(*s);
        s->CoinGridRow = 0;
        s->CurrCoinList[0]->selected = true;
        QVERIFY(!UpdateSelectionSummary(*s).Visible);
        s->CurrCoinList[1]->selected = true;
        const tSelectionSummary sum = UpdateSelectionSummary(*s);
        QVERIFY(sum.Visible);
        QCOMPARE(sum.Selected, QStringLiteral("Selected: 2"));
    }

    void summaryTexts()
    {
        auto s = NewCoinState();
        tCoinPrices v;
        v.Install(*s);
        tCoinInfo *a = AddCoin(*s, {.Have = 2, .Need = 1, .BuyPrice = M(1.25)});
        tCoinInfo *b = AddCoin(*s, {.Have = 1, .Sell = 3, .Sold = 1, .BuyPrice = M(1000)});
        tCoinInfo *c = AddCoin(*s, {.Need = 4, .BuyPrice = M(9)});
        tCoinInfo *d = AddCoin(*s, {.Have = 1});
        AddCoin(*s, {.Have = 5, .BuyPrice = M(100)});  // not selected
        v.Set(a, M(10.5), v.Price({}, 4, 0.0025f));     // platinum 0.005 oz
        v.Set(b, M(2000), v.Price({}, 2, 1.0f));        // gold 1 oz
        v.Set(c, M(3), v.Price({}, 1, 5.0f));           // no Have: no silver
        v.Set(d, M(-18), v.Price({}, 34, 0.5f));        // a special code adds no value
        ListAll(*s);
        for (tCoinInfo *x : {a, b, c})
            x->selected = true;
        s->CoinGridRow = 3;
        const tSelectionSummary sum = UpdateSelectionSummary(*s);
        QVERIFY(sum.Visible);
        QCOMPARE(sum.Selected, QStringLiteral("Selected: 4"));
        QCOMPARE(sum.Have, QStringLiteral("Have: 4"));
        QCOMPARE(sum.Need, QStringLiteral("Need: 5"));
        QCOMPARE(sum.Sell, QStringLiteral("Sell: 3"));
        QCOMPARE(sum.Sold, QStringLiteral("Sold: 1"));
        QCOMPARE(sum.Price, QStringLiteral("Price: 1002.50"));
        QCOMPARE(sum.Value, QStringLiteral("Value: 2021.00"));
        QVERIFY(sum.MetalVisible);
        QCOMPARE(sum.MetalName, QStringLiteral("Gold"));
        QCOMPARE(sum.MetalAmount, QStringLiteral("1.00 oz."));

        // Without the gold the alloy's 0.5 oz count as silver.
        b->selected = false;
        const tSelectionSummary rest = UpdateSelectionSummary(*s);
        QCOMPARE(rest.MetalName, QStringLiteral("Silver"));
        QCOMPARE(rest.MetalAmount, QStringLiteral("0.50 oz."));
        d->Have = 0;
        QVERIFY(!UpdateSelectionSummary(*s).MetalVisible);
    }
};

QTEST_APPLESS_MAIN(tst_CoinGrid)
#include "tst_coingrid.moc"
