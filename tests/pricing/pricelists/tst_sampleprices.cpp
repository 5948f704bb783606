#include <QtTest>

#include <map>
#include <set>

#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "pricing/valuation/spotprices.h"
#include "core/files/valuestream.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/valuation/valuation.h"
#include "support/scriptedui.h"

namespace {

// Empty working folders of their own, for the tests that install the
// catalogue afresh.
struct tFolders {
    tFolders()
    {
        s.CountriesRedirect = dir.filePath(QStringLiteral("Countries/"));
        s.PricesRedirect = dir.filePath(QStringLiteral("Prices/"));
        s.OtherRedirect = dir.filePath(QStringLiteral("Other/"));
    }
    QTemporaryDir dir;
    tMainState s;
};

} // namespace

// The price lists of the built-in sample catalogue, as a new user meets them:
// installed on first run, loaded with a new collection, valuing its coins.
class tst_SamplePrices : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    tMainState s;
    tScriptedUi ui{tScriptedUi::tUnscripted::Zero};

private Q_SLOTS:
    // The spot prices installed with the catalogue: real rates per dollar
    // for the currencies of the sample lists, the euro's pegged ones
    // derived, metal prices of the same day; a file already there stays.
    void spotPricesComeWithTheCatalogue()
    {
        tFolders f;
        const tCatalogueInstall done = InstallSampleCatalogue(f.s);
        QVERIFY(done.SpotPrices);
        f.s.AutoSpotPrices = true;
        LoadForexAndSpotPrices(f.s);
        QVERIFY(ExchangeRatesKnown(f.s));
        QCOMPARE(f.s.MetalValuesDate, DateToDay(QDate(2013, 5, 22)));
        QCOMPARE(f.s.MetalValues[1], Money(1368 * MoneyScale));
        QCOMPARE(f.s.ForexList[UsdForexIndex]->Rate, 1.0f);
        const auto rate = [&](const char *code) {
            for (const auto &fx : f.s.ForexList)
                if (fx->Code == QLatin1String(code))
                    return double(fx->Rate);
            return -1.0;
        };
        // Published per euro on that day, with the dollar at 1.2923.
        QVERIFY(qAbs(rate("EUR") - 1 / 1.2923) < 1e-6);
        QVERIFY(qAbs(rate("CAD") - 1.3315 / 1.2923) < 1e-6);
        QVERIFY(qAbs(rate("GBP") - 0.8557 / 1.2923) < 1e-6);
        QVERIFY(qAbs(rate("JPY") - 133.26 / 1.2923) < 1e-4);
        QVERIFY(qAbs(rate("AUD") - 1.3253 / 1.2923) < 1e-6);
        QCOMPARE(rate("AED"), double(3.6725f));
        QCOMPARE(rate("FKP"), rate("GBP"));
        // Euro parities, and a floating currency outside the reference list
        // at its approximate market rate rather than 1.
        QVERIFY(qAbs(rate("STD") - 24500 / 1.2923) < 1e-2);
        QCOMPARE(rate("KES"), double(84.6f));
        QCOMPARE(rate("XOF"), double(f.s.ForexList[EurForexIndex]->Rate * 100.0f));

        // Installing again replaces nothing.
        QFile spot(f.s.OtherRedirect + QStringLiteral("Spot prices"));
        QVERIFY(spot.open(QIODevice::WriteOnly | QIODevice::Truncate));
        spot.close();
        QVERIFY(!InstallSampleCatalogue(f.s).SpotPrices);
        QCOMPARE(QFileInfo(spot.fileName()).size(), qint64(0));
    }

    // Every series that can hold coins has its years in the price lists,
    // so its Coins page shows; the circulating types carry catalogue
    // numbers, so "Find a catalog number" finds them.
    void everySeriesHasPriceRowsAndCatalogueNumbers()
    {
        tFolders f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        InstallSampleCatalogue(f.s);
        LoadCountries(f.s);
        tnodeinfo *first = nullptr;
        LoadCountryStructures(f.s, AllCoinsClass, StructureAddUpdate, false, first);
        LoadCountryStructures(f.s, AllPaperClass, StructureAddUpdate, false, first);
        std::map<int, int> rows;
        std::map<int, std::set<QString>> numbers;
        for (const QString &name : QDir(f.s.PricesRedirect).entryList({QStringLiteral("*.OVP")})) {
            QFile file(f.s.PricesRedirect + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const tPriceFile prices = ReadPriceFile(file.readAll());
            for (const auto &e : prices.Entries) {
                ++rows[e->CoinType];
                if (!e->Catalog.isEmpty())
                    numbers[CoinTypeToCountry(e->CoinType)].insert(e->Catalog);
            }
        }
        ForEachNode(f.s.EntireCollection.get(), [&](tnodeinfo *n) {
            if (n->NodeMode == NodeModeRegular && n->ChildNodes.empty())
                QVERIFY2(rows[n->CoinType] > 0, qPrintable(n->NodeName));
        });
        // Canada's nine series, from 1937 on.
        for (int series : {31010, 31020, 31021, 31030, 31040, 31050, 31060, 31070, 31071})
            QVERIFY2(rows[series] > 1, qPrintable(QString::number(series)));
        QCOMPARE(rows[31010], 2012 - 1937 + 1);
        for (const auto &c : f.s.CountryList)
            QVERIFY2(numbers[c->CountryID].size() >= 3, qPrintable(c->Name));
        QVERIFY(numbers[31].count(QStringLiteral("OV31030a")));
    }

    // The United States coins list every year of each series, from its
    // first to its last (2025 for a running one), but for the years in
    // which no such coin was struck; and each year with its mints.
    void everyYearOfTheUnitedStatesSeries_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QList<int>>("none");
        const QList<int> no;
        QTest::newRow("Indian Head cents") << 11 << 1859 << 1909 << no;
        QTest::newRow("Wheat cents") << 12 << 1909 << 1958 << no;
        QTest::newRow("Memorial cents") << 13 << 1959 << 2008 << no;
        QTest::newRow("Shield cents") << 14 << 2010 << 2025 << no;
        QTest::newRow("Buffalo nickels") << 21 << 1913 << 1938 << QList<int>{1922, 1932, 1933};
        QTest::newRow("Jefferson nickels, in silver in the war") << 22 << 1938 << 2025 << QList<int>{1943, 1944, 1945};
        QTest::newRow("wartime nickels") << 23 << 1942 << 1945 << no;
        QTest::newRow("Mercury dimes") << 31 << 1916 << 1945 << QList<int>{1922, 1932, 1933};
        QTest::newRow("Roosevelt dimes") << 32 << 1946 << 2025 << no;
        QTest::newRow("Washington quarters, 1975 dated 1976") << 341 << 1932 << 1998 << QList<int>{1933, 1975};
        QTest::newRow("state quarters") << 345 << 1999 << 2008 << no;
        QTest::newRow("park quarters") << 375 << 2010 << 2021 << no;
        QTest::newRow("women quarters") << 442 << 2022 << 2025 << no;
        QTest::newRow("Walking Liberty halves")
            << 51 << 1916 << 1947 << QList<int>{1922, 1924, 1925, 1926, 1930, 1931, 1932};
        QTest::newRow("Franklin halves") << 52 << 1948 << 1963 << no;
        QTest::newRow("Kennedy halves") << 53 << 1964 << 2025 << QList<int>{1975};
        QList<int> morganGap;
        for (int y = 1905; y <= 1920; ++y)
            morganGap << y;
        QTest::newRow("Morgan dollars") << 351 << 1878 << 1921 << morganGap;
        QTest::newRow("Peace dollars") << 352 << 1921 << 1935 << QList<int>{1929, 1930, 1931, 1932, 1933};
        QTest::newRow("Eisenhower dollars") << 353 << 1971 << 1978 << QList<int>{1975};
        QList<int> anthonyGap;
        for (int y = 1982; y <= 1998; ++y)
            anthonyGap << y;
        QTest::newRow("Anthony dollars") << 354 << 1979 << 1999 << anthonyGap;
        QTest::newRow("Sacagawea dollars") << 355 << 2000 << 2025 << no;
        QTest::newRow("Presidential dollars") << 356 << 2007 << 2020 << QList<int>{2017, 2018, 2019};
        QTest::newRow("Innovation dollars") << 417 << 2018 << 2025 << no;
        QTest::newRow("silver eagles") << 61 << 1986 << 2025 << no;
        QTest::newRow("gold eagles") << 62 << 1986 << 2025 << no;
        QTest::newRow("5 oz silver") << 377 << 2010 << 2021 << no;
    }

    void everyYearOfTheUnitedStatesSeries()
    {
        QFETCH(int, series);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QList<int>, none);
        std::set<int> years;
        for (const auto &p : s.PriceList)
            if (p->CoinType == series)
                years.insert(p->Year);
        for (int y = first; y <= last; ++y)
            QVERIFY2(years.count(y) == !none.contains(y), qPrintable(QString::number(y)));
        QCOMPARE(*years.begin(), first);
        QCOMPARE(*years.rbegin(), last);
    }

    void mintsOfAYear_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("mints");
        QTest::newRow("Morgan 1879, Carson City's second year") << 351 << 1879 << QStringLiteral(",CC,O,S");
        QTest::newRow("Morgan 1895, proofs only at Philadelphia") << 351 << 1895 << QStringLiteral(",O,S");
        QTest::newRow("Wheat 1922, Denver alone") << 12 << 1922 << QStringLiteral("D");
        QTest::newRow("dimes 1965, no marks") << 32 << 1965 << QString();
        QTest::newRow("dimes 1980, Philadelphia marked") << 32 << 1980 << QStringLiteral("D,P");
        QTest::newRow("nickels 1968, none at Philadelphia") << 22 << 1968 << QStringLiteral("D,S");
        QTest::newRow("halves 1970, Denver alone") << 53 << 1970 << QStringLiteral("D");
        QTest::newRow("Walking Liberty 1929") << 51 << 1929 << QStringLiteral("D,S");
        QTest::newRow("park quarters 2019, West Point too") << 375 << 2019 << QStringLiteral("D,P,W");
    }

    void mintsOfAYear()
    {
        QFETCH(int, series);
        QFETCH(int, year);
        QFETCH(QString, mints);
        std::set<QString> found;
        for (const auto &p : s.PriceList)
            if (p->CoinType == series && p->Year == year)
                found.insert(p->Mint);
        QCOMPARE(QStringList(found.begin(), found.end()).join(QLatin1Char(',')), mints);
    }

    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        s.CountriesRedirect = dir.filePath(QStringLiteral("Countries/"));
        s.PricesRedirect = dir.filePath(QStringLiteral("Prices/"));
        s.OtherRedirect = dir.filePath(QStringLiteral("Other/"));
        QCOMPARE(InstallSampleCatalogue(s).PriceFiles, 6);
        LoadForexList(s);
        s.ActiveForexIndex = UsdForexIndex;

        // What a new collection does: country 0, then its prices.
        LoadCountries(s);
        tnodeinfo *first = nullptr;
        QVERIFY(LoadCountryStructures(s, 0, StructureAddUpdate, false, first) > 0);
        LoadPricesFromFile(s);
        QVERIFY(ui.Messages.empty());
    }

    void everyEntryOfCountryZeroFindsItsSeries()
    {
        QVERIFY(!s.PricesDamagedArray[0]);
        QFile file(s.PricesRedirect + QStringLiteral("United States.OVP"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const tPriceFile stored = ReadPriceFile(file.readAll());
        // Entries whose series is missing from the tree would have been
        // dropped on load; none may be.
        QCOMPARE(int(s.PriceList.size()), stored.Header.Count);
        QVERIFY(stored.Header.Count > 100);
        for (const auto &p : s.PriceList) {
            QVERIFY2(p->Folder && p->Folder->CoinType == p->CoinType, qPrintable(QString::number(p->CoinType)));
            QCOMPARE(CoinTypeToCountry(p->CoinType), 0);
        }
    }

    void coinsOfTheNewCollectionAreValued_data()
    {
        QTest::addColumn<int>("series");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("mint");
        QTest::addColumn<QString>("variety");
        QTest::addColumn<int>("grade");
        QTest::addColumn<Money>("value");
        // Grade slots: 3 G-4, 7 F-12, 22 MS-63, 24 MS-65, 35 PF-65.
        const Money U = MoneyScale;
        QTest::newRow("Carson City Morgan dollar")
            << 351 << 1878 << QStringLiteral("CC") << QString() << 22 << Money(500 * U);
        QTest::newRow("mint and variety")
            << 12 << 1909 << QStringLiteral("S") << QStringLiteral("VDB") << 3 << Money(700 * U);
        QTest::newRow("cents of a dollar") << 12 << 1943 << QString() << QString() << 7 << Money(U / 2);
        QTest::newRow("a quarter by its state")
            << 345 << 1999 << QStringLiteral("D") << QStringLiteral("Georgia") << 24 << Money(5 * U);
        QTest::newRow("proof only") << 351 << 1895 << QString() << QString() << 35 << Money(60000 * U);
    }
    void coinsOfTheNewCollectionAreValued()
    {
        QFETCH(int, series);
        QFETCH(int, year);
        QFETCH(QString, mint);
        QFETCH(QString, variety);
        QFETCH(int, grade);
        QFETCH(Money, value);
        tCoinInfo coin;
        coin.CoinType = series;
        coin.Folder = CoinTypeToNodeInfo(s, series);
        QVERIFY(coin.Folder);
        coin.Year = year;
        coin.Mint = mint;
        coin.Variety = variety;
        coin.Grade = grade;
        Money got = -1;
        const tPriceInfo *entry = GetCoinValue(s, coin, got, false, false);
        QVERIFY(entry);
        QCOMPARE(got, value);

        // A mint the list does not hold finds nothing.
        coin.Mint = QStringLiteral("W");
        QCOMPARE(GetCoinValue(s, coin, got, false, false), nullptr);
    }

    void listsNameTheirCountryCurrencyAndDate()
    {
        const QMap<QString, QString> currencies{
            {QStringLiteral("United States"), QStringLiteral("USD")},
            {QStringLiteral("United States Paper Money"), QStringLiteral("USD")},
            {QStringLiteral("Canada"), QStringLiteral("CAD")},
            {QStringLiteral("United Kingdom"), QStringLiteral("GBP")},
            {QStringLiteral("Japan"), QStringLiteral("JPY")},
            {QStringLiteral("Australia"), QStringLiteral("AUD")},
        };
        const QDir prices(s.PricesRedirect);
        QCOMPARE(prices.entryList(QDir::Files).size(), currencies.size());
        for (auto it = currencies.begin(); it != currencies.end(); ++it) {
            QFile file(prices.filePath(it.key() + QStringLiteral(".OVP")));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(it.key()));
            QVERIFY(file.size() > MinPriceFileSize);
            const tPriceFile list = ReadPriceFile(file.readAll());
            QCOMPARE(list.Header.Version, PriceFileVersion);
            QCOMPARE(GetCountryName(s, list.Header.Country), it.key());
            QCOMPARE(s.ForexList[static_cast<size_t>(list.Header.Currency)]->Code, it.value());
            QCOMPARE(list.Header.Date, DateToDay(QDate(2025, 1, 6)));
            for (const auto &e : list.Entries)
                QCOMPARE(CoinTypeToCountry(e->CoinType), list.Header.Country);
        }

        // A bullion coin keeps its metal, content and weight.
        QFile canada(prices.filePath(QStringLiteral("Canada.OVP")));
        QVERIFY(canada.open(QIODevice::ReadOnly));
        const tPriceFile list = ReadPriceFile(canada.readAll());
        const auto gold = std::find_if(list.Entries.begin(), list.Entries.end(),
                                       [](const auto &e) { return e->CoinType == 31071; });
        QVERIFY(gold != list.Entries.end());
        QCOMPARE((*gold)->Year, 1979);
        QCOMPARE(int((*gold)->Metal), MetalGold);
        QCOMPARE((*gold)->Content, 1.0f);
        QCOMPARE((*gold)->Mintage, 1000000);
        QCOMPARE((*gold)->Value[24], Money(2950 * MoneyScale));
    }
};

QTEST_APPLESS_MAIN(tst_SamplePrices)
#include "tst_sampleprices.moc"
