#include <QtTest>

#include "pricing/valuation/forex.h"
#include "reports/datasets/reportdata.h"
#include "support/reportfixture.h"

namespace {

// One coin of Wheat cents (below Cents, below the country United States)
// with a price entry, one user field, and a price row with special codes.
struct tDataFixture : tReportFixture {
    tReportData Data{S};
    tDataFixture()
    {
        auto u = std::make_unique<tUDFfield>();
        u->FieldType = UDFCheckBox;
        u->FieldLabel = QStringLiteral("Certified");
        S.UDFlist.push_back(std::move(u));
        u = std::make_unique<tUDFfield>();
        u->FieldType = UDFNumber;
        u->FieldLabel = QStringLiteral("Year");
        S.UDFlist.push_back(std::move(u));
        u = std::make_unique<tUDFfield>();
        u->FieldType = UDFTextBox;
        u->FieldLabel = QStringLiteral("Dealer");
        S.UDFlist.push_back(std::move(u));

        tCoinInfo &c = AddCoin(Wheat, 1909, QStringLiteral("S"), 7);
        c.Grade = 13;
        c.Have = 3;
        c.Sell = 1;
        c.BuyPrice = 25000;
        c.Notes = QStringLiteral("  from grandfather \\n");
        c.UDFstring = QStringLiteral("True,1234,Smith");
        S.UDFlist.push_back(std::make_unique<tUDFfield>());
        S.UDFlist.back()->FieldLabel = QStringLiteral("Valuer");
        tPriceInfo &p = AddPrice(Wheat, 1909, QStringLiteral("S"));
        p.Catalog = QStringLiteral("KM 132");
        p.Metal = 34;
        p.Content = 0.25f;
        p.Weight = 3.11f;
        p.Value[13] = 412500;       // EF-40
        p.Value[3] = -10000;        // G-4: code 1, "Face value"
        p.Value[5] = -30000;        // VG-8: code 3, "Melt"
        p.Value[6] = -990000;       // VG-10: no such code
        Wheat->FaceValueCode = QStringLiteral("USD");
        Wheat->FaceValueAmount = 0.01f;
        Wheat->CoinShape = 8;
        S.ReportListCoins = {&c};
        S.ReportListPrices = {&p};
        S.ReportListSeries = {S.EntireCollection.get(), Francs, Wheat};
    }
};

} // namespace

class tst_ReportData : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void priceCellsNameOnlyRealCodes_data()
    {
        QTest::addColumn<Money>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("n/a") << Money(-18) * MoneyScale << "n/a";
        // 2^32 + 18 whole units below zero: narrowed to int it would be "n/a".
        QTest::newRow("huge negative amount names no code") << Money(-4294967314) * MoneyScale << "";
    }
    void priceCellsNameOnlyRealCodes()
    {
        QFETCH(Money, amount);
        QFETCH(QString, text);
        const tReportValue v = PriceCellToVariant(amount);
        QCOMPARE(v.Kind(), tReportValue::Text);
        QCOMPARE(v.TextValue(), text);
    }

    void answersFieldsByName_data()
    {
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        QTest::newRow("coin year") << "Coins" << "Year" << "int:1909";
        QTest::newRow("letter case is ignored") << "Coins" << "yEAR" << "int:1909";
        QTest::newRow("country walks past series to the country") << "Coins" << "Country" << "text:United States";
        QTest::newRow("coin name") << "Coins" << "Coin name" << "text:Wheat cents";
        QTest::newRow("series path") << "Coins" << "Series path" << "text:United States\\Cents\\Wheat cents";
        QTest::newRow("quantity type") << "Coins" << "Quantity type" << "text:Mixed";
        QTest::newRow("purchase price extended") << "Coins" << "Purchase price extended" << "money:75000";
        QTest::newRow("value from valuation") << "Coins" << "Value" << "money:412500";
        QTest::newRow("value extended") << "Coins" << "Value extended" << "money:1237500";
        QTest::newRow("change") << "Coins" << "Change" << "money:387500";
        QTest::newRow("catalog looked up on first use") << "Coins" << "Catalog" << "text:KM 132";
        QTest::newRow("silver of gold/silver") << "Coins" << "Silver content Extended" << "real:0.75";
        QTest::newRow("no gold counted") << "Coins" << "Gold content" << "real:0";
        QTest::newRow("face value and code") << "Coins" << "Face value and code" << "text:USD 0.01";
        QTest::newRow("declared without answer") << "Coins" << "Proofs" << "text:";
        QTest::newRow("user check box") << "Coins" << "certified" << "true";
        QTest::newRow("a user field named like a coin field") << "Coins" << "Year" << "int:1909";
        QTest::newRow("user text") << "Coins" << "dealer" << "text:Smith";
        QTest::newRow("labels beginning with Value are not user fields") << "Coins" << "Valuer" << "<empty>";
        QTest::newRow("unknown name") << "Coins" << "Colour" << "<empty>";
        QTest::newRow("notes trimmed") << "Coins" << "Notes" << "text:from grandfather \\n";
        QTest::newRow("price grade value") << "Prices" << "Value EF-40" << "money:412500";
        QTest::newRow("special code") << "Prices" << "Value G-4" << "text:Face value";
        QTest::newRow("special code, any suffixes") << "Prices" << "Value G-4 ($£€¥)/EUR" << "text:Face value";
        QTest::newRow("melt code") << "Prices" << "value vg-8" << "text:Melt";
        QTest::newRow("unknown code") << "Prices" << "Value VG-10" << "text:";
        QTest::newRow("proof labels") << "Prices" << "Value Proof-70" << "money:0";
        QTest::newRow("coin-style proof label is not a price field") << "Prices" << "Value PF-70" << "<empty>";
        QTest::newRow("series shape") << "Prices" << "Series shape" << "text:Polyon";
        QTest::newRow("price country") << "Prices" << "Country" << "text:United States";
        QTest::newRow("series of the root") << "Series" << "Country" << "text:Entire collection";
        QTest::newRow("series name") << "Series" << "name" << "text:Entire Collection";
        QTest::newRow("collection coins") << "Collection" << "Coins on file" << "int:1";
        QTest::newRow("collection series") << "Collection" << "Series defined" << "int:7";
        QTest::newRow("rate without code") << "Collection" << "Exchange rate to" << "money:10000";
    }

    void answersFieldsByName()
    {
        QFETCH(QString, dataSet);
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tDataFixture f;
        tReportEngine engine;
        f.Data.AddTo(engine);
        tReportDataSet *ds = engine.FindDataSet(dataSet);
        QVERIFY(ds);
        ds->First();
        QCOMPARE(ShowReportValue(ds->Value(field)), answer);
    }

    void gradeTitlesComeFromTheSeriesScale()
    {
        tDataFixture f;
        tReportEnvironment env;
        env.GradeTitle = [](bool paper, int scale, int grade) {
            return QStringLiteral(" %1/%2/%3 ").arg(paper ? "paper" : "coin").arg(scale).arg(grade);
        };
        f.Data.Env = &env;
        f.Wheat->GradeScale = 2;
        f.S.ReportListCoins.front()->GM = QStringLiteral("PL");
        f.Data.Coins.First();
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Grade"))), QStringLiteral("text:coin/2/13"));
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Grade and GM"))), QStringLiteral("text:coin/2/13-PL"));
        f.Wheat->CoinShape = PaperMoneyShape;
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("grade"))), QStringLiteral("text:paper/2/13"));
    }

    void cursorsFollowTheRows()
    {
        tDataFixture f;
        tReportDataSet &series = f.Data.Series;
        series.First();
        QVERIFY(!series.Eof());
        series.Next();
        QCOMPARE(ShowReportValue(series.Value(QStringLiteral("Country"))), QStringLiteral("text:France"));
        series.Next();
        series.Next();
        QVERIFY(series.Eof());
        // At or past the end the last row answers.
        QCOMPARE(ShowReportValue(series.Value(QStringLiteral("Series name"))), QStringLiteral("text:Wheat cents"));

        tReportDataSet &coll = f.Data.Collection;
        coll.First();
        QVERIFY(!coll.Eof());
        coll.Next();
        QVERIFY(coll.Eof());
        QCOMPARE(ShowReportValue(coll.Value(QStringLiteral("Coins on file"))), QStringLiteral("<empty>"));

        f.S.ReportListCoins.clear();
        f.Data.Coins.First();
        QVERIFY(f.Data.Coins.Eof());
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Year"))), QStringLiteral("<empty>"));
        QVERIFY(f.Data.Ebooks.Eof());
    }

    void priceEntryIsLookedUpOncePerCoin()
    {
        tDataFixture f;
        f.Data.Coins.First();
        f.Data.Coins.Value(QStringLiteral("Catalog"));
        tCoinInfo *coin = f.Coin(7);
        tPriceInfo *entry = coin->PriceInfo;
        QVERIFY(entry);
        // A second look-up would find nothing now: the entry found stays.
        entry->Year += 1000;
        for (const char *n : {"Weight", "Price found", "Metal content"})
            f.Data.Coins.Value(QString::fromLatin1(n));
        QCOMPARE(coin->PriceInfo, entry);
    }

    // The currency table: each currency's code, name and its rates against
    // the active currency both ways, and one active unit in its own style.
    void forexRowsAnswerTheirRates_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        QTest::newRow("code") << QStringLiteral("Forex code") << QStringLiteral("text:EUR");
        QTest::newRow("name") << QStringLiteral("Country name") << QStringLiteral("text:Euro Member Countries");
        QTest::newRow("one dollar in euros") << QStringLiteral("Exchange rate to") << QStringLiteral("money:8000");
        QTest::newRow("one euro in dollars, any case") << QStringLiteral("exchange RATE from")
                                                       << QStringLiteral("money:12500");
        QTest::newRow("in the euro's style") << QStringLiteral("Value ($£€¥)") << QStringLiteral("text:0,80 €");
        QTest::newRow("unknown") << QStringLiteral("Rate") << QStringLiteral("<empty>");
    }
    void forexRowsAnswerTheirRates()
    {
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tDataFixture f;
        LoadForexList(f.S);
        f.S.ForexList[EurForexIndex]->Rate = 0.8f;
        f.Data.ReportIndexForex = EurForexIndex;
        QCOMPARE(ShowReportValue(f.Data.ForexValue(field)), answer);
    }

    void themeFilterNamesTheThemeOfACopy()
    {
        tDataFixture f;
        tParamInfo p;
        p.ThemeMultiplex = true;
        p.SelectedTheme = 4;
        f.Data.RunParams = &p;
        tReportEnvironment env;
        env.ThemeName = [](int t) { return t == 4 ? QStringLiteral("Turtles") : QString(); };
        f.Data.Env = &env;
        f.Data.Series.First();
        QCOMPARE(ShowReportValue(f.Data.Series.Value(QStringLiteral("Theme filter"))), QStringLiteral("text:Turtles"));
        p.ThemeMultiplex = false;
        QCOMPARE(ShowReportValue(f.Data.Series.Value(QStringLiteral("Theme filter"))), QStringLiteral("text:"));
    }
};

QTEST_APPLESS_MAIN(tst_ReportData)
#include "tst_reportdata.moc"
