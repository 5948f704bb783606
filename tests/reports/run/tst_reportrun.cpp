#include <QtTest>

#include <QTemporaryDir>

#include "reports/run/reportrun.h"
#include "support/reportfixture.h"

namespace {

// The fixture's coins (item numbers 1..6) and price entries.
struct tRunFixture : tReportFixture {
    tRunFixture()
    {
        tCoinInfo &c1 = AddCoin(Cents, 1909, QStringLiteral("S"), 1);
        c1.Grade = 8;
        tCoinInfo &c2 = AddCoin(Wheat, 1910, QStringLiteral("D"), 2);
        c2.Have = 0;
        c2.Need = 1;
        c2.MintError = true;
        c2.Stored = QStringLiteral(" Box A ");
        tCoinInfo &c3 = AddCoin(Notes, 1928, QString(), 3);
        c3.Grade = 3;
        tCoinInfo &c4 = AddCoin(Francs, 1960, QString(), 4);
        c4.Have = 0;
        c4.Sold = 2;
        c4.InBin = true;
        tCoinInfo &c5 = AddCoin(Cents, 1910, QString(), 5);
        c5.Have = 2;
        c5.Grade = 10;
        c5.Stored = QStringLiteral("box a");
        c5.InBin = true;
        tCoinInfo &c6 = AddCoin(Wheat, 1909, QStringLiteral("s"), 6);
        c6.Have = 0;
        c6.Sell = 1;

        AddPrice(Cents, 1909, QStringLiteral("S"));
        AddPrice(Cents, 1910, QString());
        AddPrice(Cents, 1909, QString(), QStringLiteral("VDB"));
        AddPrice(Wheat, 1910, QStringLiteral("D"));
        AddPrice(Notes, 1928, QString());
        AddPrice(Francs, 1960, QString());
        AddPrice(nullptr, 1900, QString());
        AddPrice(US, 1950, QString());  // prices, but no coins
    }

    tnodeinfo *Node(const QString &name)
    {
        for (tnodeinfo *n : PreOrder(S.EntireCollection.get()))
            if (n->NodeName == name)
                return n;
        return nullptr;
    }
};

QList<int> Items(const tMainState &s)
{
    QList<int> out;
    for (const tCoinInfo *c : s.ReportListCoins)
        out.append(c->Inventory);
    return out;
}

QStringList Names(const std::vector<tnodeinfo *> &rows)
{
    QStringList out;
    for (const tnodeinfo *n : rows)
        out.append(n->NodeName);
    return out;
}

QStringList Rows(const std::vector<tPriceInfo *> &rows)
{
    QStringList out;
    for (const tPriceInfo *p : rows)
        out.append(QStringLiteral("%1 %2|%3|%4|%5|%6")
                       .arg(p->CoinType)
                       .arg(p->Year)
                       .arg(p->Mint, p->Variety, p->GM)
                       .arg(p->MergeIndex));
    return out;
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray CoinTemplate = R"(<OrvantaReport>
  <Band kind="MasterData" dataset="Coins" height="6">
    <Text x="0" y="0" w="100" h="6">[Coins."Year"] [coins."coin name"] ([Coins."Country"])</Text>
  </Band></OrvantaReport>)";

const QByteArray SeriesTemplate = R"(<OrvantaReport>
  <Band kind="MasterData" dataset="Series" height="6"><Text x="0" y="0" w="100" h="6">[Series."Name"]</Text></Band>
</OrvantaReport>)";

const tReportUses CoinsOnly{false, true, false, false};
const tReportUses Everything{true, true, true, true};

} // namespace

class tst_ReportRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void collectsTheSelectedSubtree()
    {
        tRunFixture f;
        f.S.SelectedTreeNode = f.Cents;
        f.Francs->Tag = 99;
        CollectReportSeries(f.S);
        QCOMPARE(Names(f.S.ReportListSeries), (QStringList{"Cents", "Wheat cents"}));
        const QList<int> tag2{f.S.EntireCollection->Tag2, f.US->Tag2, f.Cents->Tag2, f.Wheat->Tag2,
                              f.Notes->Tag2, f.France->Tag2, f.Francs->Tag2};
        QCOMPARE(tag2, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
        QCOMPARE(f.Cents->Tag, 1);
        QCOMPARE(f.Wheat->Tag, 1);
        QCOMPARE(f.Notes->Tag, 0);
        QCOMPARE(f.Francs->Tag, 0);
    }

    void collectsADeepSubtree()
    {
        tRunFixture f;
        constexpr int depth = 300000;
        tnodeinfo *n = f.Wheat;
        for (int i = 1; i < depth; ++i)
            n = AddChildNode(n, 1000000 + i);
        f.S.SelectedTreeNode = f.Cents;
        CollectReportSeries(f.S);
        QCOMPARE(int(f.S.ReportListSeries.size()), depth + 1);
        QCOMPARE(f.S.ReportListSeries.back(), n);
        QCOMPARE(n->Tag, 1);
        QCOMPARE(f.Notes->Tag, 0);
    }

    void selectsCoinRows_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("paper");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("storedIn");
        QTest::addColumn<QList<int>>("items");
        const QString all = QStringLiteral("Entire Collection");
        QTest::newRow("root: every coin with a quantity") << all << 0 << 0 << 0 << 15 << "" << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("no quantity filter") << all << 0 << 0 << 0 << 0 << "" << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("have only") << all << 0 << 0 << 0 << 1 << "" << QList<int>{1, 3, 5};
        QTest::newRow("need or sold") << all << 0 << 0 << 0 << 10 << "" << QList<int>{2, 4};
        QTest::newRow("coins only") << all << 0 << 1 << 0 << 15 << "" << QList<int>{1, 2, 4, 5, 6};
        QTest::newRow("paper money only") << all << 0 << 2 << 0 << 15 << "" << QList<int>{3};
        QTest::newRow("no mint errors") << all << 0 << 0 << 1 << 15 << "" << QList<int>{1, 3, 4, 5, 6};
        QTest::newRow("mint errors only") << all << 0 << 0 << 2 << 15 << "" << QList<int>{2};
        QTest::newRow("stored in: trimmed, letter case counts") << all << 0 << 0 << 0 << 15 << "Box A  " << QList<int>{2};
        QTest::newRow("subtree of a series") << "Cents" << 0 << 0 << 0 << 15 << "" << QList<int>{1, 2, 5, 6};
        QTest::newRow("bin: outside the subtree, stored in ignored") << "Wheat cents" << 1 << 0 << 0 << 15 << "X"
                                                                      << QList<int>{4, 5};
        QTest::newRow("bin: quantity still filters") << "Wheat cents" << 1 << 0 << 0 << 1 << "" << QList<int>{5};
        QTest::newRow("current coin passes every filter") << "Cents" << 2 << 2 << 2 << 1 << "Y" << QList<int>{4};
        QTest::newRow("no price entry") << all << 4 << 0 << 0 << 15 << "" << QList<int>{6};
        QTest::newRow("no series picture") << all << 3 << 0 << 0 << 15 << "" << QList<int>{2, 3, 4, 6};
        QTest::newRow("unknown source") << all << 9 << 0 << 0 << 15 << "" << QList<int>{};
    }

    void selectsCoinRows()
    {
        QFETCH(QString, selected);
        QFETCH(int, source);
        QFETCH(int, paper);
        QFETCH(int, error);
        QFETCH(int, quantity);
        QFETCH(QString, storedIn);
        QFETCH(QList<int>, items);
        tRunFixture f;
        f.S.SelectedTreeNode = f.Node(selected);
        f.S.CurrCoinList = {f.Coin(2), f.Coin(4)};
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("cents.jpg")), "picture");
        tReportEnvironment env;
        env.CurrentCoinRow = [] { return 1; };
        env.SeriesPicturePath = [&](const tnodeinfo &n, bool obverse) {
            return obverse && n.CoinType == 101 ? dir.filePath(QStringLiteral("cents.jpg"))
                                                : dir.filePath(QStringLiteral("missing.jpg"));
        };
        tParamInfo p;
        p.CoinSourceFilter = source;
        p.CoinPaperFilter = paper;
        p.CoinErrorFilter = error;
        p.QuantityFilter = static_cast<uint8_t>(quantity);
        p.StoredIn = storedIn;
        BuildReportLists(f.S, p, CoinsOnly, env);
        QCOMPARE(Items(f.S), items);
        QVERIFY(f.S.ReportListPrices.empty());  // the template does not use prices
    }

    void currentCoinNeedsARow()
    {
        tRunFixture f;
        tParamInfo p;
        p.CoinSourceFilter = SourceCurrentCoin;
        tReportEnvironment env;
        BuildReportLists(f.S, p, CoinsOnly, env);  // no grid: no row
        QVERIFY(f.S.ReportListCoins.empty());
        env.CurrentCoinRow = [] { return 0; };
        BuildReportLists(f.S, p, CoinsOnly, env);  // empty coin list on the page
        QVERIFY(f.S.ReportListCoins.empty());
        f.S.CurrCoinList = {f.Coin(3)};
        BuildReportLists(f.S, p, CoinsOnly, env);
        QCOMPARE(Items(f.S), QList<int>{3});
        QVERIFY(f.Coin(3)->PriceInfo);  // looked up for the data set
    }

    void tagsTheSeriesOfTheRun()
    {
        tRunFixture f;
        f.S.SelectedTreeNode = f.US;
        tParamInfo p;
        p.QuantityFilter = QuantityHave;
        BuildReportLists(f.S, p, Everything, {});
        QCOMPARE(f.S.EntireCollection->Tag, 0);
        QCOMPARE(f.US->Tag, 1 | 4);
        QCOMPARE(f.Cents->Tag, 1 | 2 | 4 | 8);  // coin 1 is F-15
        QCOMPARE(f.Wheat->Tag, 1 | 4);          // its coins have no "have"
        QCOMPARE(f.Notes->Tag, 1 | 2 | 4);      // coin 3 is below F-12
        QCOMPARE(f.Francs->Tag, 0);

        // The bin sets no coin bits; without "Prices" no price bit either.
        p.CoinSourceFilter = SourceBin;
        BuildReportLists(f.S, p, CoinsOnly, {});
        QCOMPARE(f.Cents->Tag, 1);
        QCOMPARE(Items(f.S), QList<int>{5});
    }

    void groupsPriceRowsBySeries_data()
    {
        QTest::addColumn<int>("purge");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("all") << 0 << QStringList{"100 1950||||0", "101 1909||VDB||0", "101 1909|S|||0",
                                                 "101 1910||||0", "102 1910|D|||0", "103 1928||||0",
                                                 "201 1960||||0"};
        QTest::newRow("items I have") << 1 << QStringList{"101 1909|S|||0", "101 1910||||0", "103 1928||||0"};
        QTest::newRow("items I don't have") << 2 << QStringList{"100 1950||||0", "101 1909||VDB||0",
                                                                "102 1910|D|||0", "201 1960||||0"};
    }

    void groupsPriceRowsBySeries()
    {
        QFETCH(int, purge);
        QFETCH(QStringList, rows);
        tRunFixture f;
        tParamInfo p;
        p.PricePurgeMask = purge;
        BuildReportLists(f.S, p, {true, false, false, false}, {});
        SortReportPrices(f.S);
        MergeReportPrices(f.S, p);
        QCOMPARE(Rows(f.S.ReportListPrices), rows);
        // Only series that kept rows are marked as having prices.
        QCOMPARE(bool(f.Wheat->Tag & 4), purge != 1);
        QVERIFY(f.S.ReportListCoins.empty());
    }

    void priceRowsFollowTheTreeNotTheList()
    {
        tRunFixture f;
        // An entry of an earlier series appended last still sorts into its group.
        f.AddPrice(f.Cents, 1800, QString());
        f.S.SelectedTreeNode = f.Cents;
        BuildReportLists(f.S, tParamInfo(), {true, false, false, false}, {});
        QCOMPARE(Rows(f.S.ReportListPrices),
                 (QStringList{"101 1909|S|||0", "101 1910||||0", "101 1909||VDB||0", "101 1800||||0",
                              "102 1910|D|||0"}));
    }

    void mergesPriceRows_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("none") << 0 << QStringList{"101 1909||||0", "101 1909|||MS|0", "101 1909|S|||0",
                                                  "101 1909|s|||0", "101 1910|P|D||0", "101 1910|PD|||0",
                                                  "102 1910|P|D||0"};
        // "P" + "D" and "PD" + "" join to the same text but are not one mint.
        QTest::newRow("year, mint and variety") << 1 << QStringList{"101 1909||||1", "101 1909|S|||1",
                                                                    "101 1910|P|D||0", "101 1910|PD|||0",
                                                                    "102 1910|P|D||0"};
        QTest::newRow("year and mint") << 2 << QStringList{"101 1909||||2", "101 1909|S|||2", "101 1910|P|D||0",
                                                           "101 1910|PD|||0", "102 1910|P|D||0"};
        QTest::newRow("year") << 3 << QStringList{"101 1909||||3", "101 1910|P|D||3", "102 1910|P|D||0"};
    }

    void mergesPriceRows()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, rows);
        tReportFixture f;
        f.AddPrice(f.Cents, 1910, QStringLiteral("PD"));
        f.AddPrice(f.Cents, 1909, QStringLiteral("S"));
        f.AddPrice(f.Cents, 1909, QString(), QString(), QStringLiteral("MS"));
        f.AddPrice(f.Cents, 1910, QStringLiteral("P"), QStringLiteral("D"));
        f.AddPrice(f.Cents, 1909, QStringLiteral("s"));
        f.AddPrice(f.Cents, 1909, QString());
        f.AddPrice(f.Wheat, 1910, QStringLiteral("P"), QStringLiteral("D"));
        tParamInfo p;
        p.PriceMergeMask = mode;
        BuildReportLists(f.S, p, {true, false, false, false}, {});
        SortReportPrices(f.S);
        MergeReportPrices(f.S, p);
        QCOMPARE(Rows(f.S.ReportListPrices), rows);
    }

    void sortsCoins()
    {
        tReportFixture f;
        struct { int year; const char *mint; } coins[] = {{1910, "d"}, {1909, "S"}, {1910, "D"}, {1909, "p"},
                                                          {1910, "B"}};
        for (int i = 0; i < 5; ++i)
            f.AddCoin(f.Cents, coins[i].year, QString::fromLatin1(coins[i].mint), i + 1);
        f.S.SelectedTreeNode = f.Cents;
        tParamInfo p;
        p.CoinSort = {SortYear, SortMint, 0, 0, 0, 0};
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{4, 2, 5, 1, 3}));  // "d" and "D" keep their order

        // A "no key" ends the comparison: later keys are not used.
        p.CoinSort = {SortNone, SortYear, 0, 0, 0, 0};
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{1, 2, 3, 4, 5}));
    }

    void sortsOnPriceEntryKeys()
    {
        tReportFixture f;
        f.AddCoin(f.Cents, 1901, QString(), 1);
        f.AddCoin(f.Cents, 1902, QString(), 2);
        f.AddCoin(f.Cents, 1903, QString(), 3);  // no price entry
        tPriceInfo &a = f.AddPrice(f.Cents, 1901, QString());
        a.Catalog = QStringLiteral("KM 2");
        a.Metal = 2;
        tPriceInfo &b = f.AddPrice(f.Cents, 1902, QString());
        b.Catalog = QStringLiteral("km 10");
        b.Metal = 1;
        tParamInfo p;
        p.CoinSort = {SortCatalog, 0, 0, 0, 0, 0};
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{3, 2, 1}));
        p.CoinSort = {SortMetal, 0, 0, 0, 0, 0};
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{3, 2, 1}));
        p.CoinSort = {SortSeriesOrder, SortItemNumber, 0, 0, 0, 0};
        f.AddCoin(f.Francs, 1, QString(), 0);
        f.AddCoin(f.US, 1, QString(), 9);
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{9, 1, 2, 3, 0}));
    }

    void sortsOnUserFields()
    {
        tReportFixture f;
        for (auto [type, label] : {std::pair{UDFTextBox, "Dealer"}, std::pair{UDFNumber, "Lot"}}) {
            auto u = std::make_unique<tUDFfield>();
            u->FieldType = type;
            u->FieldLabel = QString::fromLatin1(label);
            f.S.UDFlist.push_back(std::move(u));
        }
        f.AddCoin(f.Cents, 1, QString(), 1).UDFstring = QStringLiteral("beta,10");
        f.AddCoin(f.Cents, 1, QString(), 2).UDFstring = QStringLiteral("Alpha,9");
        f.AddCoin(f.Cents, 1, QString(), 3).UDFstring = QStringLiteral("alpha");
        tParamInfo p;
        p.CoinSort = {SortUserField1 + 1, 0, 0, 0, 0, 0};
        BuildReportLists(f.S, p, CoinsOnly, {});
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{3, 2, 1}));  // 0, 9, 10 as numbers
        p.CoinSort = {SortUserField1, SortItemNumber, 0, 0, 0, 0};
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{2, 3, 1}));
        // A user field the collection does not define is no key.
        p.CoinSort = {SortUserField1 + 4, SortItemNumber, 0, 0, 0, 0};
        SortReportCoins(f.S, p);
        QCOMPARE(Items(f.S), (QList<int>{2, 3, 1}));
    }

    void filtersSeries_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<bool>("prices");
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("theme");  // -1: no theme copy
        QTest::addColumn<QStringList>("series");
        const QStringList all{"Entire Collection", "United States", "Cents", "Wheat cents", "Notes", "France",
                              "Francs"};
        QTest::newRow("every series") << 0 << true << 0 << -1 << all;
        QTest::newRow("coin series with prices") << 1 << true << 0 << -1
                                                 << QStringList{"United States", "Cents", "Wheat cents", "Francs"};
        QTest::newRow("paper series with prices") << 2 << true << 0 << -1 << QStringList{"Notes"};
        QTest::newRow("any series with prices") << 3 << true << 0 << -1
                                                << QStringList{"United States", "Cents", "Wheat cents", "Notes",
                                                               "Francs"};
        QTest::newRow("coin series with entries") << 4 << true << 0 << -1
                                                  << QStringList{"Cents", "Wheat cents", "Francs"};
        QTest::newRow("paper series with entries") << 5 << true << 0 << -1 << QStringList{"Notes"};
        QTest::newRow("prices but no entries") << 7 << true << 0 << -1 << QStringList{"United States"};
        QTest::newRow("paper: prices but no entries") << 8 << true << 0 << -1 << QStringList{};
        QTest::newRow("countries") << 10 << true << 0 << -1 << QStringList{"United States"};
        QTest::newRow("fine entry, no picture") << 11 << true << 0 << -1 << QStringList{"Cents"};
        QTest::newRow("new series") << 12 << true << 0 << -1 << QStringList{"France"};
        QTest::newRow("unknown filter") << 13 << true << 0 << -1 << all;
        // The bits these filters test come only from prices and subtree coins.
        QTest::newRow("series only: no price bits") << 1 << false << 0 << -1 << QStringList{};
        QTest::newRow("bin: no coin bits") << 4 << true << 1 << -1 << QStringList{};
        QTest::newRow("current coin: no coin bits") << 6 << true << 2 << -1 << QStringList{};
        QTest::newRow("theme copy") << 0 << true << 0 << 4 << QStringList{"Wheat cents", "Notes"};
        QTest::newRow("theme copy and filter") << 4 << true << 0 << 4 << QStringList{"Wheat cents"};
    }

    void filtersSeries()
    {
        QFETCH(int, mask);
        QFETCH(bool, prices);
        QFETCH(int, source);
        QFETCH(int, theme);
        QFETCH(QStringList, series);
        tRunFixture f;
        f.Francs->NodeName = QStringLiteral("Francs");
        tParamInfo p;
        p.SeriesPurgeMask = mask;
        p.CoinSourceFilter = source;
        p.ThemeMultiplex = theme >= 0;
        p.SelectedTheme = static_cast<uint8_t>(std::max(theme, 0));
        tReportEnvironment env;
        env.CurrentCoinRow = [] { return 0; };
        f.S.CurrCoinList = {f.Coin(1)};
        BuildReportLists(f.S, p, {prices, true, true, false}, env);
        FilterReportSeries(f.S, p, env);
        QCOMPARE(Names(f.S.ReportListSeries), series);
        if (prices)
            QCOMPARE(f.S.ReportListPrices.size(), size_t(7));  // series filters never drop price rows
    }

    void fineSeriesNamedWithAStarIsLeftOut()
    {
        tRunFixture f;
        f.Cents->NodeName = QStringLiteral("Cents *  ");
        tParamInfo p;
        p.SeriesPurgeMask = 11;
        BuildReportLists(f.S, p, Everything, {});
        FilterReportSeries(f.S, p, {});
        QVERIFY(f.S.ReportListSeries.empty());
    }

    void ordersCurrencies()
    {
        tMainState s;
        auto add = [&](const char *code, const char *name, double rate) {
            auto fx = std::make_unique<tForex>();
            fx->Code = QString::fromLatin1(code);
            fx->Description = QString::fromLatin1(name);
            fx->Rate = rate;
            s.ForexList.push_back(std::move(fx));
        };
        add("-", "Demonetized", 0);
        add("", "None", 0);
        add("USD", "United States", 1);
        add("eur", "Euro zone", 0.9);
        add("JPY", "Japan", 150);
        add("GBP", "Britain", 0.8);
        auto codes = [&] {
            QStringList out;
            for (const tForex *f : s.ReportListForex)
                out.append(f->Code);
            return out;
        };
        tParamInfo p;
        SyncReportForex(s, {});
        QCOMPARE(codes(), (QStringList{"USD", "eur", "JPY", "GBP"}));
        p.ForexSort = 1;
        SortReportForex(s, p);
        QCOMPARE(codes(), (QStringList{"eur", "GBP", "JPY", "USD"}));
        p.ForexSort = 2;
        SortReportForex(s, p);
        QCOMPARE(codes(), (QStringList{"GBP", "eur", "JPY", "USD"}));
        p.ForexSort = 4;
        SortReportForex(s, p);
        QCOMPARE(codes(), (QStringList{"JPY", "USD", "eur", "GBP"}));
        p.ForexSort = 3;
        SortReportForex(s, p);
        QCOMPARE(codes(), (QStringList{"GBP", "eur", "USD", "JPY"}));

        // The order persists; a new currency joins at the end and a removed
        // one leaves.
        p.ForexSort = 0;
        const QStringList order = ReportForexOrder(s);
        s.ForexList.erase(s.ForexList.begin() + 2);  // USD
        add("CHF", "Switzerland", 0.95);
        SyncReportForex(s, order);
        SortReportForex(s, p);
        QCOMPARE(codes(), (QStringList{"GBP", "eur", "JPY", "CHF"}));
    }

    void deletingRecordsPurgesTheRows()
    {
        tRunFixture f;
        BuildReportLists(f.S, tParamInfo(), Everything, {});
        QCOMPARE(f.S.ReportListCoins.size(), size_t(6));
        f.S.DeleteCoin(f.Coin(3));
        QCOMPARE(Items(f.S), (QList<int>{1, 2, 4, 5, 6}));
        f.S.DeleteSeries(f.Cents);
        QCOMPARE(Names(f.S.ReportListSeries), (QStringList{"Entire Collection", "United States", "Notes", "France",
                                                           "Francs"}));
        f.S.ClearCoins();
        QVERIFY(f.S.ReportListCoins.empty());
    }

    void runsATemplateToPages()
    {
        tRunFixture f;
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("coins.fr3")), CoinTemplate);
        tReportRunner runner(f.S);
        tParamInfo p;
        p.StreamName = QStringLiteral("coins.FrF");
        p.QuantityFilter = QuantityHave;
        p.CoinSort = {SortYear, SortItemNumber, 0, 0, 0, 0};
        QVERIFY(runner.Run(p, dir.path()));
        QCOMPARE(runner.Engine.Prepared()->PageTexts(0),
                 (QStringList{"1909 Cents (United States)", "1910 Cents (United States)",
                              "1928 Notes (United States)"}));

        // No rows, no pages.
        p.QuantityFilter = QuantityNeed;
        p.StoredIn = QStringLiteral("nowhere");
        QVERIFY(!runner.Run(p, dir.path()));
        QCOMPARE(runner.Engine.PageCount(), 0);
    }

    void missingTemplateLeavesNoRows()
    {
        tRunFixture f;
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("coins.FR3")), CoinTemplate);
        tReportRunner runner(f.S);
        tParamInfo p;
        p.StreamName = QStringLiteral("coins.FrF");
        QVERIFY(runner.Run(p, dir.path()));
        QVERIFY(!f.S.ReportListCoins.empty());
        p.StreamName = QStringLiteral("gone.FrF");
        QVERIFY_THROWS_EXCEPTION(tReportError, runner.Run(p, dir.path()));
        QVERIFY(f.S.ReportListCoins.empty());
        QVERIFY(f.S.ReportListSeries.empty());
        QCOMPARE(runner.Engine.PageCount(), 0);
        QVERIFY(!runner.Engine.Preparing());
    }

    void aRunAskedForWhilePreparingRunsNext()
    {
        tRunFixture f;
        QTemporaryDir dir;
        WriteFile(dir.filePath(QStringLiteral("coins.FR3")), CoinTemplate);
        WriteFile(dir.filePath(QStringLiteral("series.FR3")), SeriesTemplate);
        tReportRunner runner(f.S);
        tParamInfo coins;
        coins.StreamName = QStringLiteral("coins.FrF");
        tParamInfo series;
        series.StreamName = QStringLiteral("series.FrF");
        int asked = 0;
        // The progress callback lets events through, and an event asks for
        // another report while the first is still being prepared.
        runner.Engine.OnProgress = [&](int) {
            if (asked++ == 0)
                QVERIFY(!runner.Run(series, dir.path()));
        };
        QVERIFY(runner.Run(coins, dir.path()));
        QCOMPARE(asked, 2);
        QCOMPARE(runner.Engine.Prepared()->PageTexts(0).first(), QStringLiteral("Entire Collection"));
        QVERIFY(!runner.Engine.Preparing());
    }
};

QTEST_APPLESS_MAIN(tst_ReportRun)
#include "tst_reportrun.moc"
