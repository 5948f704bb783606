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
        coin.Mint = QStringLiteral("O");
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
