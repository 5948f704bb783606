#include <QtTest>

#include <map>
#include <set>

#include "core/catalogue/countries.h"
#include "core/catalogue/samplecatalogue.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "core/model/dates.h"
#include "core/model/model.h"
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
