#include <QtTest>

#include <map>
#include <set>

#include "core/catalogue/countries.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "core/model/dates.h"
#include "core/model/model.h"
#include "pricing/pricelists/pricefile.h"
#include "pricing/valuation/forex.h"
#include "pricing/valuation/spotprices.h"
#include "support/scriptedui.h"

namespace {

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

class tst_SampleCatalogue : public QObject {
    Q_OBJECT
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
        QCOMPARE(rate("XOF"), double(f.s.ForexList[EurForexIndex]->Rate * 100.0f));

        // Installing again replaces nothing.
        QFile spot(f.s.OtherRedirect + QStringLiteral("Spot prices"));
        QVERIFY(spot.open(QIODevice::WriteOnly | QIODevice::Truncate));
        spot.close();
        QVERIFY(!InstallSampleCatalogue(f.s).SpotPrices);
        QCOMPARE(QFileInfo(spot.fileName()).size(), qint64(0));
    }

    void newCollectionFromTheSampleCatalogue()
    {
        tFolders f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        const tCatalogueInstall done = InstallSampleCatalogue(f.s);
        QCOMPARE(done.StructureFiles, 6);
        QCOMPARE(done.PriceFiles, 6);
        QVERIFY(done.CountriesData);

        LoadCountries(f.s);
        QStringList order;
        for (const auto &c : f.s.CountryList)
            order << c->Name;
        QCOMPARE(order, (QStringList{QStringLiteral("Canada"), QStringLiteral("United States"),
                                     QStringLiteral("United States Paper Money"), QStringLiteral("United Kingdom"),
                                     QStringLiteral("Japan"), QStringLiteral("Australia")}));

        // What a new collection does: load country 0.
        tnodeinfo *first = nullptr;
        const int records = LoadCountryStructures(f.s, 0, StructureAddUpdate, false, first);
        QVERIFY(records > 30);
        QCOMPARE(first->NodeName, QStringLiteral("United States"));
        QCOMPARE(first->NodeMode, uint8_t(NodeModeCountry));
        QCOMPARE(CoinTypeToSeriesName(f.s, 12), QStringLiteral("Lincoln Wheat Cents (1909-1958)"));
        for (tnodeinfo *special : {f.s.QuarterNode, f.s.ATBNode, f.s.DollarNode, f.s.WomenNode, f.s.ATBFiveOzNode,
                                   f.s.InnovationNode})
            QVERIFY(special && special->ParentNode && special->ParentNode->ParentNode == first);
        QCOMPARE(f.s.ATBNode->CoinType, 375);

        // Every other file loads without a word, and no number appears twice.
        QVERIFY(LoadCountryStructures(f.s, AllCoinsClass, StructureAddUpdate, false, first) > records);
        LoadCountryStructures(f.s, AllPaperClass, StructureAddUpdate, false, first);
        QVERIFY(ui.Messages.empty());  // the shipped catalogue loads without a word
        std::set<int> numbers;
        int nodes = 0;
        ForEachNode(f.s.EntireCollection.get(), [&](tnodeinfo *n) {
            numbers.insert(n->CoinType);
            ++nodes;
        });
        QCOMPARE(int(numbers.size()), nodes);
        QCOMPARE(int(f.s.EntireCollection->ChildNodes.size()), 6);
        const tnodeinfo *loonie = CoinTypeToNodeInfo(f.s, 31050);
        QVERIFY(loonie);
        QCOMPARE(NodeInfoToMeasurementStr(*loonie, true), QStringLiteral("26.5mm polygon"));
        QCOMPARE(loonie->CoinSubShape, uint8_t(11));
        const tnodeinfo *note = CoinTypeToNodeInfo(f.s, 75011);
        QCOMPARE(NodeInfoToMeasurementStr(*note, false), QStringLiteral("156.0mm by 66.3mm"));

        // A compare run against the tree it just built finds nothing to mark.
        LoadCountryStructures(f.s, AllCoinsClass, StructureCompare, false, first);
        ForEachNode(f.s.EntireCollection.get(), [](tnodeinfo *n) { QCOMPARE(n->GlyphStats & ~0x3, 0); });

        // The Explorer's list names countries of the list and series of the tree.
        QFile data(f.s.OtherRedirect + QStringLiteral("Countries.Data"));
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QByteArray bytes = data.readAll();
        ValueReader r(bytes);
        r.ReadListBegin();
        const int count = r.ReadInteger();
        QVERIFY(count >= 6);
        QStringList names;
        for (int i = 0; i < count; ++i) {
            names << r.ReadString();
            const int tab = r.ReadInteger();
            const int index = r.ReadInteger();
            r.ReadInteger();  // latitude
            r.ReadInteger();  // longitude
            const int goTo = r.ReadInteger();
            QVERIFY(!r.ReadString().isEmpty());  // notes
            r.ReadString();                       // prefix
            r.ReadInteger();                      // flag
            QVERIFY(tab >= 0 && tab <= 4);
            if (index < FirstCountryClass) {
                QVERIFY2(!GetCountryName(f.s, index).isEmpty(), qPrintable(names.last()));
                QVERIFY(CoinTypeToNodeInfo(f.s, goTo));
            }
        }
        r.ReadListEnd();
        QVERIFY(r.AtEnd());
        QCOMPARE(names.mid(0, 2), (QStringList{QStringLiteral("World coins"), QStringLiteral("World paper money")}));
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

    void neverReplacesTheUsersFiles()
    {
        tFolders f;
        QVERIFY(QDir().mkpath(f.s.CountriesRedirect));
        QVERIFY(QDir().mkpath(f.s.OtherRedirect));
        QVERIFY(QDir().mkpath(f.s.PricesRedirect));
        QFile ownPrices(f.s.PricesRedirect + QStringLiteral("united states.ovp"));
        QVERIFY(ownPrices.open(QIODevice::WriteOnly));
        ownPrices.write("user's prices");
        ownPrices.close();
        QFile own(f.s.CountriesRedirect + QStringLiteral("Mine.ovcd"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write("user's own");
        own.close();
        QFile list(f.s.OtherRedirect + QStringLiteral("countries.data"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("kept");
        list.close();

        const tCatalogueInstall done = InstallSampleCatalogue(f.s);
        QCOMPARE(done.StructureFiles, 0);
        QCOMPARE(done.PriceFiles, 0);
        QVERIFY(!done.CountriesData);
        QCOMPARE(QDir(f.s.PricesRedirect).entryList(QDir::Files), QStringList{QStringLiteral("united states.ovp")});
        QVERIFY(ownPrices.open(QIODevice::ReadOnly));
        QCOMPARE(ownPrices.readAll(), QByteArray("user's prices"));
        QCOMPARE(QDir(f.s.CountriesRedirect).entryList(QDir::Files), QStringList{QStringLiteral("Mine.ovcd")});
        // The user's list stays; only the missing spot prices are added.
        QStringList other = QDir(f.s.OtherRedirect).entryList(QDir::Files);
        other.sort();
        QCOMPARE(other, (QStringList{QStringLiteral("Spot prices"), QStringLiteral("countries.data")}));

        // A second run after a first install changes nothing either.
        tFolders g;
        QCOMPARE(InstallSampleCatalogue(g.s).StructureFiles, 6);
        QFile canada(g.s.CountriesRedirect + QStringLiteral("Canada.OVCD"));
        QVERIFY(canada.open(QIODevice::WriteOnly | QIODevice::Truncate));
        canada.write("edited");
        canada.close();
        const tCatalogueInstall again = InstallSampleCatalogue(g.s);
        QCOMPARE(again.StructureFiles, 0);
        QCOMPARE(again.PriceFiles, 0);
        QVERIFY(!again.CountriesData);
        QVERIFY(canada.open(QIODevice::ReadOnly));
        QCOMPARE(canada.readAll(), QByteArray("edited"));
    }
};

QTEST_APPLESS_MAIN(tst_SampleCatalogue)
#include "tst_samplecatalogue.moc"
