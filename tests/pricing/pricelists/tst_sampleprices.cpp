#include <QtTest>

#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/metals.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/valuation/valuation.h"
#include "support/scriptedui.h"

// The price lists of the built-in sample catalogue, as a new user meets them:
// installed on first run, loaded with a new collection, valuing its coins.
class tst_SamplePrices : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    tMainState s;
    tScriptedUi ui{tScriptedUi::tUnscripted::Zero};

private Q_SLOTS:
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
