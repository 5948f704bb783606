#include <QtTest>

#include <QTemporaryDir>

#include "pricing/valuation/forex.h"
#include "reports/datasets/reportdata.h"
#include "support/reportfixture.h"

namespace {

// A silver 1909-S Wheat cent held three times in EF-40 (its price entry has
// special codes and a proof mintage), a proof coin, a currency table with
// the euro at half a dollar, and silver at 25.0000 an ounce.
struct tFieldsFixture : tReportFixture {
    tReportData Data{S};
    tCoinInfo *Held = nullptr;
    tCoinInfo *Proof = nullptr;
    tPriceInfo *Row = nullptr;
    tFieldsFixture()
    {
        LoadForexList(S);
        S.ForexList[EurForexIndex]->Rate = 0.5f;
        S.ActiveForexIndex = UsdForexIndex;
        S.MetalValues = {250000, 20000000, 10000000, 9000000};

        Held = &AddCoin(Wheat, 1909, QStringLiteral("S"), 7);
        Held->Grade = 13;
        Held->Have = 3;
        Held->BuyPrice = 25000;
        Proof = &AddCoin(Wheat, 1909, QStringLiteral("s"), 8);
        Proof->Grade = 35;  // PF-65
        Proof->Have = 0;
        Proof->Need = 1;
        Row = &AddPrice(Wheat, 1909, QStringLiteral("S"));
        Row->Catalog = QStringLiteral("KM 132");
        Row->Metal = 34;  // Gold/Silver: counts as silver
        Row->Content = 0.25f;
        Row->Mintage = 1825000;
        Row->ProofMintage = 2175;
        Row->Value[13] = 1412500;  // EF-40, above the face value of 100.00
        Row->Value[5] = -30000;    // VG-8: code 3, "Melt"
        Row->Value[35] = 9000000;  // PF-65
        Wheat->FaceValueCode = QStringLiteral("USD");
        Wheat->FaceValueAmount = 100;
        S.ReportListCoins = {Held, Proof};
        S.ReportListPrices = {Row};
        S.ReportListSeries = {S.EntireCollection.get(), US, Wheat, Notes};
        Data.CurrentYear = [] { return 2026; };
    }
};

} // namespace

class tst_DataSetFields : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coinFieldsFollowTheNameGrammar_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        QTest::newRow("plain value") << "Value" << "money:1412500";
        QTest::newRow("formatted in the active currency") << "Value ($£€¥)" << "text:$141.25";
        QTest::newRow("converted and formatted") << "Value ($£€¥)/EUR" << "text:70,63 €";
        QTest::newRow("converted, plain") << "Value/EUR" << "money:706250";
        QTest::newRow("suffix in any case") << "VALUE ($£€¥)/EUR" << "text:70,63 €";
        QTest::newRow("unknown code: formatted is empty") << "Value ($£€¥)/XYZ" << "text:";
        QTest::newRow("unknown code: plain unconverted") << "Value/XYZ" << "money:1412500";
        QTest::newRow("extended is times have") << "Purchase price extended/EUR" << "money:37500";
        QTest::newRow("change extended") << "Change extended" << "money:4162500";
        QTest::newRow("grade value formatted") << "Value EF-40 ($£€¥)/EUR" << "text:70,63 €";
        QTest::newRow("melt code") << "Value VG-8" << "text:Melt";
        QTest::newRow("melt code, formatted") << "Value VG-8 ($£€¥)" << "text:Melt";
        QTest::newRow("proof grade titles are PF") << "Value PF-65" << "money:9000000";
        QTest::newRow("price-list proof label is not a coin field") << "Value Proof-65" << "<empty>";
        QTest::newRow("gold/silver melts as silver") << "Melt value" << "money:62500";
        QTest::newRow("melt is converted, never formatted") << "Melt value ($£€¥)/EUR" << "money:31250";
        QTest::newRow("melt extended") << "Melt Value Extended" << "money:187500";
        QTest::newRow("silver melt extended") << "Silver Melt value extended" << "money:187500";
        QTest::newRow("no gold in it") << "Gold Melt value" << "money:0";
        QTest::newRow("metal name") << "Metal" << "text:Gold/Silver";
        QTest::newRow("non-proof grade: regular mintage") << "Mintage" << "text:1,825,000";
        QTest::newRow("year and mint") << "Year & Mint" << "text:1909-S";
        QTest::newRow("face rate in the active currency") << "Face exchange rate" << "money:1000000";
        QTest::newRow("no rate text for the active currency") << "Face exchange rate and code" << "text:";
        QTest::newRow("inflation ratio") << "Inflation ratio" << "real:31.7333";
        QTest::newRow("declared without an answer") << "Change price" << "text:";
    }
    void coinFieldsFollowTheNameGrammar()
    {
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tFieldsFixture f;
        f.Data.Coins.First();
        tReportValue v = f.Data.Coins.Value(field);
        if (v.Kind() == tReportValue::Real)  // compare ratios to four decimals
            v = tReportValue::FromReal(std::round(v.RealValue() * 10000) / 10000);
        QCOMPARE(ShowReportValue(v), answer);
    }

    void proofCoinsTakeTheProofMintage()
    {
        tFieldsFixture f;
        f.Data.Coins.First();
        f.Data.Coins.Next();
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Mintage"))), QStringLiteral("text:2,175"));
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Regular mintage"))), QStringLiteral("text:1,825,000"));
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Proof mintage"))), QStringLiteral("text:2,175"));
    }

    void faceValueInAnotherCurrency()
    {
        tFieldsFixture f;
        f.Wheat->FaceValueCode = QStringLiteral("EUR");
        f.Wheat->FaceValueAmount = 2;
        f.Data.Coins.First();
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Face exchange rate"))), QStringLiteral("money:40000"));
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Face exchange rate and code"))), QStringLiteral("text:USD 4.00"));
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Face exchange rate and code"))), QStringLiteral("text:USD 4.00"));
        QCOMPARE(ShowReportValue(f.Data.Series.Value(QStringLiteral("Face value code"))), QStringLiteral("text:"));
    }

    void inflateAtCompoundsDaily_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("year");
        QTest::addColumn<Money>("answer");
        QTest::newRow("no rate: face value unchanged") << "Inflate at X%/0" << 2025 << Money(1000000);
        QTest::newRow("five percent for a year") << "Inflate at X%/5" << 2025 << Money(1051267);
        QTest::newRow("missing rate is one percent") << "Inflate at X%" << 2025 << Money(1010050);
        QTest::newRow("rate that is no number is one percent") << "Inflate at X%/abc" << 2025 << Money(1010050);
        QTest::newRow("decimal rate over two years") << "inflate at x%/2.5" << 2024 << Money(1051269);
        QTest::newRow("a coin of this year") << "Inflate at X%/5" << 2026 << Money(0);
        QTest::newRow("a coin from the future") << "Inflate at X%/5" << 2030 << Money(0);
    }
    void inflateAtCompoundsDaily()
    {
        QFETCH(QString, field);
        QFETCH(int, year);
        QFETCH(Money, answer);
        tFieldsFixture f;
        f.Held->Year = year;
        f.Data.Coins.First();
        const tReportValue v = f.Data.Coins.Value(field);
        QCOMPARE(v.Kind(), tReportValue::MoneyAmount);
        QCOMPARE(v.MoneyValue(), answer);
    }

    void inflationRateIsReadInTheUsersNumberFormat()
    {
        tFieldsFixture f;
        f.Held->Year = 2024;
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        f.Data.Coins.First();
        const Money german = f.Data.Coins.Value(QStringLiteral("Inflate at X%/2,5")).MoneyValue();
        QLocale::setDefault(before);
        QCOMPARE(german, Money(1051269));
    }

    void everyDeclaredNameIsAnswered()
    {
        tFieldsFixture f;
        auto check = [](tReportDataSet &ds, const QStringList &names) {
            ds.First();
            for (const QString &n : names)
                QVERIFY2(!ds.Value(n).IsEmpty(), qPrintable(ds.UserName + QLatin1Char('.') + n));
        };
        QCOMPARE(CoinFieldNames().size(), 178);
        QCOMPARE(PriceFieldNames().size(), 209);
        check(f.Data.Coins, CoinFieldNames());
        check(f.Data.Prices, PriceFieldNames());
        check(f.Data.Series, SeriesFieldNames());
        check(f.Data.Collection, CollectionFieldNames());
        check(f.Data.Forex, ForexFieldNames());
        // The coin data set's list ends with the user fields' labels.
        auto u = std::make_unique<tUDFfield>();
        u->FieldLabel = QStringLiteral("Pedigree");
        f.S.UDFlist.push_back(std::move(u));
        f.Data.RefreshFieldLists();
        QCOMPARE(f.Data.Coins.Fields.size(), 179);
        QCOMPARE(f.Data.Coins.Fields.last(), QStringLiteral("Pedigree"));
    }

    void cursorsOutsideTheRowsNeverIndexOutOfRange()
    {
        tFieldsFixture f;
        // Before the first row the first answers, past the end the last.
        f.Data.Coins.First();
        f.Data.Coins.Prior();
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Item number"))), QStringLiteral("int:7"));
        f.Data.ReportIndexCoins = 99;
        QCOMPARE(ShowReportValue(f.Data.Coins.Value(QStringLiteral("Item number"))), QStringLiteral("int:8"));
        f.Data.Prices.First();
        f.Data.Prices.Prior();
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Catalog"))), QStringLiteral("text:KM 132"));
        f.Data.ReportIndexSeries = -5;
        QCOMPARE(ShowReportValue(f.Data.Series.Value(QStringLiteral("Country"))), QStringLiteral("text:Entire collection"));
        // Currencies and eBooks have no fallback.
        f.Data.ReportIndexForex = -1;
        QCOMPARE(ShowReportValue(f.Data.Forex.Value(QStringLiteral("Forex code"))), QStringLiteral("<empty>"));
    }

    void priceAggregatesFollowTheMergeMode_data()
    {
        QTest::addColumn<int>("mergeIndex");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        // Entries of 1909: S VF-20 have 3, S VF-20 have 0 need 1, s (other
        // case) no grade have 2, S "PL" have 1, S variety "Doubled" have 4,
        // D have 5; and one of another series.
        QTest::newRow("items sum have") << 0 << "Items VF-20" << "int:3";
        QTest::newRow("entries count entries") << 0 << "Entries VF-20" << "int:2";
        QTest::newRow("ungraded counts only in quantities") << 0 << "Have quantity" << "int:5";
        QTest::newRow("need") << 0 << "Need quantity" << "int:1";
        QTest::newRow("code suffix ignored") << 0 << "Have quantity/EUR" << "int:5";
        QTest::newRow("capitals") << 0 << "SOLD QUANTITY" << "int:0";
        QTest::newRow("maximum grade") << 0 << "Maximum grade" << "text:VF-20";
        QTest::newRow("have one") << 0 << "Have one" << "true";
        QTest::newRow("across modifiers") << 1 << "Have quantity" << "int:6";
        QTest::newRow("across varieties") << 2 << "Have quantity" << "int:10";
        QTest::newRow("across mints") << 3 << "Have quantity" << "int:15";
        QTest::newRow("unknown items label") << 0 << "Items VF-21" << "<empty>";
    }
    void priceAggregatesFollowTheMergeMode()
    {
        QFETCH(int, mergeIndex);
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tReportFixture f;
        tReportData data(f.S);
        f.S.GradeTitles3D.SetTitle(0, 0, 9, QStringLiteral(" VF-20 "));
        f.S.CoinList.clear();
        auto add = [&](tnodeinfo *series, const char *mint, int grade, int have, const char *variety = "",
                       const char *gm = "") -> tCoinInfo & {
            tCoinInfo &c = f.AddCoin(series, 1909, QString::fromLatin1(mint), 0);
            c.Grade = grade;
            c.Have = have;
            c.Variety = QString::fromLatin1(variety);
            c.GM = QString::fromLatin1(gm);
            return c;
        };
        add(f.Wheat, "S", 9, 3);
        add(f.Wheat, "S", 9, 0).Need = 1;
        add(f.Wheat, "s", NoGrade, 2);
        add(f.Wheat, "S", 9, 1, "", "PL");
        add(f.Wheat, "S", 9, 4, "Doubled");
        add(f.Wheat, "D", 9, 5);
        add(f.Cents, "S", 9, 7);
        tPriceInfo &row = f.AddPrice(f.Wheat, 1909, QStringLiteral("S"));
        row.MergeIndex = static_cast<uint8_t>(mergeIndex);
        f.S.ReportListPrices = {&row};
        data.Prices.First();
        QCOMPARE(ShowReportValue(data.Prices.Value(field)), answer);
    }

    void priceSummaryIsKeptPerRowUntilARunClearsIt()
    {
        tFieldsFixture f;
        f.Data.Prices.First();
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Have quantity"))), QStringLiteral("int:3"));
        f.AddCoin(f.Wheat, 1909, QStringLiteral("S"), 9).Have = 4;
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Have quantity"))), QStringLiteral("int:3"));
        f.Data.PriceSummary = tPriceSummary();
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Have quantity"))), QStringLiteral("int:7"));
    }

    void priceRowFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        QTest::newRow("special code, any suffixes") << "Value VG-8 ($£€¥)/EUR" << "text:Melt";
        QTest::newRow("grade value converted") << "Value EF-40/EUR" << "money:706250";
        QTest::newRow("gold/silver has no melt price here") << "Melt value ($£€¥)" << "money:0";
        QTest::newRow("mintage") << "Mintage" << "text:1,825,000";
        QTest::newRow("year and mint") << "Year & Mint" << "text:1909-S";
        QTest::newRow("declared without an answer") << "Series type icon" << "text:";
    }
    void priceRowFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tFieldsFixture f;
        f.Data.Prices.First();
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(field)), answer);
    }

    void silverRowMeltsAtTheSpotPrice()
    {
        tFieldsFixture f;
        f.Row->Metal = 1;
        f.Row->Content = 0.7734f;
        f.Row->ProofIncluded = true;
        f.Wheat->GradeScale = 2;
        f.Data.Prices.First();
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Melt value"))), QStringLiteral("money:193350"));
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Melt value ($£€¥)"))),
                 QStringLiteral("text:") + NativeFormatCurrency(f.S, 193350, QString()));
        QVERIFY(f.Data.Prices.Value(QStringLiteral("Proofs")).TextValue().startsWith(QLatin1Char('~')));
        QCOMPARE(ShowReportValue(f.Data.Prices.Value(QStringLiteral("Series grade scale"))),
                 QStringLiteral("text:User defined scale 2"));
    }

    void collectionAndCurrencies_data()
    {
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("answer");
        QTest::newRow("spot price converted") << "Collection" << "Silver spot price/EUR" << "money:125000";
        QTest::newRow("rate without code") << "Collection" << "Exchange rate to" << "money:10000";
        QTest::newRow("rate to") << "Collection" << "Exchange rate to/EUR" << "money:5000";
        QTest::newRow("rate from") << "Collection" << "Exchange rate from/EUR" << "money:20000";
        QTest::newRow("unknown code converts nothing") << "Collection" << "Gold spot price/XYZ" << "money:20000000";
        QTest::newRow("edition") << "Collection" << "Program edition" << "text:Linux";
        QTest::newRow("active currency") << "Collection" << "Active currency code" << "text:USD";
        QTest::newRow("forex rate to") << "Forex" << "Exchange rate to" << "money:5000";
        QTest::newRow("forex rate from") << "Forex" << "Exchange rate from" << "money:20000";
        QTest::newRow("forex formatted") << "Forex" << "Value ($£€¥)" << "text:0,50 €";
        QTest::newRow("forex name") << "Forex" << "country name" << "text:Euro Member Countries";
        QTest::newRow("series both spellings") << "Series" << "Shape" << "text:Paper Money";
        QTest::newRow("series shape") << "Series" << "Series shape" << "text:Paper Money";
        QTest::newRow("series entry count") << "Series" << "Entry count" << "int:0";
        QTest::newRow("series is country") << "Series" << "Is Country" << "false";
    }
    void collectionAndCurrencies()
    {
        QFETCH(QString, dataSet);
        QFETCH(QString, field);
        QFETCH(QString, answer);
        tFieldsFixture f;
        f.S.ReportListForex = {f.S.ForexList[EurForexIndex].get()};
        tReportEngine engine;
        f.Data.AddTo(engine);
        tReportDataSet *ds = engine.FindDataSet(dataSet);
        ds->First();
        f.Data.ReportIndexSeries = 3;  // Notes
        QCOMPARE(ShowReportValue(ds->Value(field)), answer);
        QVERIFY(!f.Data.Collection.Value(QStringLiteral("Architecture")).TextValue().isEmpty());
    }

    void ebooksHaveNoFallback()
    {
        tFieldsFixture f;
        tReportEnvironment env;
        env.Ebooks = [] {
            return std::vector<tReportEbook>{{QStringLiteral("/books/Coins of Spain.pdf"),
                                              QStringLiteral("/books/Coins of Spain.idx"), 12, true},
                                             {QStringLiteral("/books/Tokens.pdf"), QString(), 0, false}};
        };
        f.Data.Env = &env;
        tReportDataSet &b = f.Data.Ebooks;
        b.First();
        QVERIFY(!b.Eof());
        QCOMPARE(ShowReportValue(b.Value(QStringLiteral("PDF name"))), QStringLiteral("text:Coins of Spain.pdf"));
        QCOMPARE(ShowReportValue(b.Value(QStringLiteral("Pages indexed"))), QStringLiteral("int:12"));
        b.Next();
        QCOMPARE(ShowReportValue(b.Value(QStringLiteral("match"))), QStringLiteral("false"));
        QCOMPARE(ShowReportValue(b.Value(QStringLiteral("Pages indexed"))), QStringLiteral("int:0"));
        b.Next();
        QVERIFY(b.Eof());
        QCOMPARE(ShowReportValue(b.Value(QStringLiteral("PDF name"))), QStringLiteral("<empty>"));
    }

    void picturesAreResolvedBeforePrinting_data()
    {
        QTest::addColumn<QString>("dataSet");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("expected");  // "designed", "white", "red", "blue", "icon1", "icon2", "icon0"
        QTest::newRow("coin obverse") << "Coins" << "Obverse image" << 0 << "red";
        QTest::newRow("coin reverse missing: white") << "Coins" << "Reverse image" << 0 << "white";
        QTest::newRow("unreadable receipt: white") << "Coins" << "Receipt image" << 0 << "white";
        QTest::newRow("coin picture past the last coin") << "Coins" << "Obverse image" << 5 << "designed";
        QTest::newRow("coin picture on another data set") << "Series" << "Obverse image" << 0 << "designed";
        QTest::newRow("series picture through a coin") << "Coins" << "Series obverse image" << 0 << "blue";
        QTest::newRow("series picture through a price row") << "Prices" << "series OBVERSE image" << 0 << "blue";
        QTest::newRow("series reverse missing") << "Series" << "Series reverse image" << 2 << "white";
        QTest::newRow("series picture past the end") << "Series" << "Series obverse image" << 9 << "designed";
        QTest::newRow("icon of a coin series") << "Prices" << "Series type icon" << 0 << "icon1";
        QTest::newRow("icon of a paper series") << "Series" << "Series type icon" << 3 << "icon2";
        QTest::newRow("icon of the root") << "Series" << "Series type icon" << 0 << "icon0";
        QTest::newRow("icon past the end") << "Coins" << "Series type icon" << 9 << "white";
        QTest::newRow("icon on the collection") << "Collection" << "Series type icon" << 0 << "white";
    }
    void picturesAreResolvedBeforePrinting()
    {
        QFETCH(QString, dataSet);
        QFETCH(QString, field);
        QFETCH(int, cursor);
        QFETCH(QString, expected);
        tFieldsFixture f;
        QTemporaryDir dir;
        auto write = [&](const char *name, QColor colour) {
            QImage img(8, 6, QImage::Format_RGB32);
            img.fill(colour);
            QVERIFY(img.save(dir.filePath(QString::fromLatin1(name))));
        };
        write("obverse.png", Qt::red);
        write("series.png", Qt::blue);
        QFile bad(dir.filePath(QStringLiteral("receipt.png")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("not a picture");
        bad.close();
        f.Held->Obverse = dir.filePath(QStringLiteral("obverse.png"));
        f.Held->Reverse = dir.filePath(QStringLiteral("gone.png"));
        f.Held->Receipt = dir.filePath(QStringLiteral("receipt.png"));
        tReportEnvironment env;
        env.SeriesPicturePath = [&](const tnodeinfo &s, bool obverse) {
            return obverse && s.CoinType == 102 ? dir.filePath(QStringLiteral("series.png")) : QString();
        };
        env.SeriesTypeIcon = [](int index) {
            QImage img(16, 16, QImage::Format_RGB32);
            img.fill(QColor(index * 10, 0, 0));
            return img;
        };
        f.Data.Env = &env;
        tReportEngine engine;
        f.Data.AddTo(engine);
        tReportDataSet *ds = engine.FindDataSet(dataSet);
        ds->First();
        for (int i = 0; i < cursor; ++i)
            ds->Next();

        QImage designed(4, 4, QImage::Format_RGB32);
        designed.fill(Qt::green);
        tReportObject o;
        o.Kind = tReportObject::PictureObject;
        o.DataSet = dataSet;
        o.Field = field;
        o.Rect = QRectF(0, 0, 10, 10);
        tPictureEvent ev{o, ds, designed};
        f.Data.BeforePrint(ev);

        const QRgb pixel = ev.Picture.pixel(0, 0);
        if (expected == QLatin1String("designed"))
            QCOMPARE(QColor(pixel), QColor(Qt::green));
        else if (expected == QLatin1String("white"))
            QCOMPARE(QColor(pixel), QColor(Qt::white));
        else if (expected == QLatin1String("red"))
            QCOMPARE(QColor(pixel), QColor(Qt::red));
        else if (expected == QLatin1String("blue"))
            QCOMPARE(QColor(pixel), QColor(Qt::blue));
        else {
            QCOMPARE(ev.Picture.size(), QSize(32, 32));
            QCOMPARE(qRed(pixel), expected.right(1).toInt() * 10);
        }
    }
};

QTEST_MAIN(tst_DataSetFields)
#include "tst_datasetfields.moc"
