#include <QtTest>

#include "core/catalogue/countries.h"
#include "core/model/dates.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "support/scriptedui.h"
#include "support/recordingstores.h"
#include "core/files/structurewriter.h"
#include "support/testsupport.h"

namespace {

tStructureHeader Header(const QString &name, int id, int continent = 1, bool paper = false, int tab = 0,
                        const QString &description = QString())
{
    tStructureHeader h;
    h.Date = 45000.5;
    h.Country.Name = name;
    h.Country.Description = description.isEmpty() ? name : description;
    h.Country.CountryID = id;
    h.Country.Continent = continent;
    h.Country.IsPaper = paper;
    h.Country.FlagIndex = id + 7;
    h.Country.AddOns = QStringLiteral("extra");
    h.Country.Tab = tab;
    return h;
}

tStructureRecord Rec(int coinType, int parent, const QString &name)
{
    tStructureRecord r;
    r.CoinType = coinType;
    r.Parent = parent;
    r.NodeName = name;
    r.FaceValueCode = QStringLiteral("USD");
    r.FaceValueAmount = 0.25f;
    r.Obverse = QStringLiteral("~obv.jpg");
    r.Reverse = QStringLiteral("~rev.jpg");
    r.CoinShape = 0;
    r.Measure1 = 24.26f;
    r.FontCode = 0x02;
    r.Themes = 0x4;
    return r;
}

tnodeinfo *Child(tnodeinfo *parent, int coinType, const QString &name, bool updateOK = true, bool moveOK = true)
{
    tnodeinfo *n = AddChildNode(parent, coinType);
    n->NodeName = name;
    n->UpdateOK = updateOK;
    n->MoveOK = moveOK;
    n->Tag2 = -1;
    return n;
}

QList<int> ChildNumbers(const tnodeinfo *n)
{
    QList<int> out;
    for (const auto &c : n->ChildNodes)
        out << c->CoinType;
    return out;
}

int CountNumber(tMainState &s, int coinType)
{
    int found = 0;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) { found += n->CoinType == coinType; });
    return found;
}

// Sets the file-size field to the data's own length.
void FixSize(QByteArray &data)
{
    const auto size = static_cast<uint64_t>(data.size());
    for (int i = 0; i < 8; ++i)
        data[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
}

// A Countries folder in a temporary directory and a state that uses it.
struct tFixture {
    tFixture()
    {
        s.CountriesRedirect = dir.path() + QLatin1Char('/');
        QObject::connect(s.Events.get(), &tStateEvents::SetStatusText, [this](const QString &t) { Status << t; });
    }
    QString Write(const QString &fileName, const tStructureHeader &h, const std::vector<tStructureRecord> &recs = {})
    {
        const QString path = dir.filePath(fileName);
        WriteStructureFile(path, h, recs);
        return path;
    }
    void WriteRaw(const QString &fileName, const QByteArray &data)
    {
        QFile f(dir.filePath(fileName));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    int Load(int classID, uint8_t mode = StructureAddUpdate, bool onlyLoaded = false)
    {
        tnodeinfo *first = nullptr;
        return LoadCountryStructures(s, classID, mode, onlyLoaded, first);
    }
    tnodeinfo *Root() { return s.EntireCollection.get(); }

    QTemporaryDir dir;
    tMainState s;
    QStringList Status;
};

} // namespace

class tst_Countries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countryListSkipsWhatIsNoCatalogue()
    {
        tFixture f;
        f.Write(QStringLiteral("Alpha.OVCD"), Header(QStringLiteral("Alpha"), 5), {Rec(5001, 1, QStringLiteral("Alpha"))});
        // Every file below is a whole catalogue file of more than 100 bytes.
        f.Write(QStringLiteral("beta.ovcd"), Header(QStringLiteral("Beta"), 6), {Rec(6001, 1, QStringLiteral("Beta"))});
        // The same number again: the first file enumerated wins.
        f.Write(QStringLiteral("Gamma.OVCD"), Header(QStringLiteral("Gamma"), 5), {Rec(5001, 1, QStringLiteral("Gamma"))});
        f.Write(QStringLiteral("COMMEMORATIVES.OVCD"), Header(QStringLiteral("Comm"), 7), {Rec(7001, 1, QStringLiteral("C"))});
        f.Write(QStringLiteral("Commemoratives.ovcd"), Header(QStringLiteral("Comm2"), 8), {Rec(8001, 1, QStringLiteral("C"))});
        f.Write(QStringLiteral("Delta.txt"), Header(QStringLiteral("Delta"), 9), {Rec(9001, 1, QStringLiteral("D"))});
        QDir(f.dir.path()).mkdir(QStringLiteral("Folder.OVCD"));

        QByteArray wrongSize = BuildStructureFile(Header(QStringLiteral("Eps"), 10), {Rec(10001, 1, QStringLiteral("E"))});
        wrongSize.append('\0');  // the size field no longer matches
        f.WriteRaw(QStringLiteral("Eps.OVCD"), wrongSize);

        // Headers of 99 bytes padded to 100 and 101 bytes: only the larger is a catalogue file.
        for (int size : {100, 101}) {
            QByteArray small = BuildStructureFile(Header(QStringLiteral("Sm%1").arg(size), size, 1, false, 0,
                                                         QStringLiteral("Small coins")), {});
            QCOMPARE(small.size(), 99);
            small.append(QByteArray(size - small.size(), '\0'));
            FixSize(small);
            f.WriteRaw(QStringLiteral("Sm%1.OVCD").arg(size), small);
        }

        // A name whose count runs past the end of an otherwise whole file.
        QByteArray damaged = BuildStructureFile(Header(QStringLiteral("Zeta"), 11), {Rec(11001, 1, QStringLiteral("Z"))});
        damaged[28] = '\x7f';
        f.WriteRaw(QStringLiteral("Zeta.OVCD"), damaged);

        LoadCountries(f.s);
        QList<int> ids;
        for (const auto &c : f.s.CountryList)
            ids << c->CountryID;
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, (QList<int>{5, 6, 101}));

        const tCountryInfo &alpha = **std::find_if(f.s.CountryList.begin(), f.s.CountryList.end(),
                                                  [](const auto &c) { return c->CountryID == 5; });
        QCOMPARE(alpha.Name, QStringLiteral("Alpha"));
        QCOMPARE(alpha.Path, f.s.CountriesRedirect + QStringLiteral("Alpha.OVCD"));
        QCOMPARE(alpha.FlagIndex, 12);
        QCOMPARE(alpha.AddOns, QStringLiteral("extra"));
        QCOMPARE(alpha.UpdateStatus, uint8_t(0));
    }

    void emptyFolder()
    {
        tFixture f;
        LoadCountries(f.s);
        QVERIFY(f.s.CountryList.empty());
        QCOMPARE(f.Load(AllCoinsClass), 0);
        QCOMPARE(f.Load(3), 0);
        QVERIFY(f.Root()->ChildNodes.empty());
        for (int id : {0, 3, 999})
            QCOMPARE(GetCountryName(f.s, id), QString());
        for (int id : {1000, 1001, 5000})
            QCOMPARE(GetCountryName(f.s, id), QStringLiteral("User"));

        f.Write(QStringLiteral("Japan.OVCD"),
                Header(QStringLiteral("Japan"), 64, 5, false, 0, QStringLiteral("Japan, coins of the modern era")));
        LoadCountries(f.s);
        QCOMPARE(GetCountryName(f.s, 64), QStringLiteral("Japan"));
        QCOMPARE(GetCountryName(f.s, 1000), QStringLiteral("User"));
    }

    void countrySort()
    {
        struct tIn {
            int Continent;
            bool Paper;
            const char *Description;
        };
        // Enumeration order; the expected display order is given by index.
        const tIn in[] = {
            {2, false, "Brazil"},         // 0
            {1, true, "Mexico paper"},    // 1
            {1, false, "united States"},  // 2
            {1, false, "Canada"},         // 3
            {1, false, "UNITED STATES"},  // 4: equal to 2 ignoring ASCII case, keeps its place after it
            {1, false, "_Tokens"},        // 5: "_" sorts after upper-case letters
            {1, false, "\u00c9cu"},       // 6: a non-ASCII capital stays above every ASCII letter
            {1, false, "Zacatecas"},      // 7
        };
        OwningList<tCountryInfo> list;
        int id = 0;
        for (const tIn &e : in) {
            auto c = std::make_unique<tCountryInfo>();
            c->CountryID = id++;
            c->Continent = e.Continent;
            c->IsPaper = e.Paper;
            c->Description = QString::fromUtf8(e.Description);
            list.push_back(std::move(c));
        }
        SortCountryList(list);
        QList<int> order;
        for (const auto &c : list)
            order << c->CountryID;
        QCOMPARE(order, (QList<int>{3, 2, 4, 7, 5, 6, 1, 0}));
    }

    void addAndUpdate_data()
    {
        QTest::addColumn<bool>("updateOK");
        QTest::addColumn<bool>("moveOK");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("parent");
        QTest::newRow("free series is renamed and moved") << true << true << "Small Cents" << 3010;
        QTest::newRow("locked settings keep the name, still moved") << false << true << "My cents" << 3010;
        QTest::newRow("pinned series renamed in place") << true << false << "Small Cents" << 3020;
        QTest::newRow("both locked: only reordered") << false << false << "My cents" << 3020;
    }
    void addAndUpdate()
    {
        QFETCH(bool, updateOK);
        QFETCH(bool, moveOK);
        QFETCH(QString, name);
        QFETCH(int, parent);
        tFixture f;
        tnodeinfo *canada = Child(f.Root(), 3001, QStringLiteral("Canada"));
        Child(canada, 3010, QStringLiteral("Cents"));
        tnodeinfo *old = Child(canada, 3020, QStringLiteral("Old"));
        tnodeinfo *mine = Child(old, 3011, QStringLiteral("My cents"), updateOK, moveOK);
        mine->FontCode = 0x31;
        mine->Themes = 0x100;
        Child(old, 3021, QStringLiteral("Sibling"));

        tStructureRecord rec = Rec(3011, 3010, QStringLiteral("Small Cents"));
        rec.CoinShape = 8;
        rec.CoinSubShape = 11;
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3), {rec});
        LoadCountries(f.s);
        tnodeinfo *first = nullptr;
        QCOMPARE(LoadCountryStructures(f.s, 3, StructureAddUpdate, false, first), 1);

        QCOMPARE(first, mine);
        QCOMPARE(mine->NodeName, name);
        QCOMPARE(mine->ParentNode->CoinType, parent);
        QCOMPARE(mine->ParentNode->ChildNodes.back().get(), mine);
        QCOMPARE(mine->CoinShape, uint8_t(updateOK ? 8 : 0));
        QCOMPARE(mine->Obverse, updateOK ? QStringLiteral("~obv.jpg") : QString());
        QCOMPARE(mine->FontCode, uint8_t(0x31));  // font and themes are the user's
        QCOMPARE(mine->Themes, 0x100);
        QCOMPARE(CountNumber(f.s, 3011), 1);
        QVERIFY(f.s.DataModified);
    }

    void newSeriesPlacement()
    {
        tFixture f;
        Child(f.Root(), 53001, QStringLiteral("australia"));
        tnodeinfo *denmark = Child(f.Root(), 5000001, QStringLiteral("Denmark"));
        tnodeinfo *usa = Child(f.Root(), 2, QStringLiteral("United States"));
        tnodeinfo *quarters = Child(usa, 340, QStringLiteral("Quarters"));
        Child(quarters, 341, QStringLiteral("Washington"));
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3001, 1, QStringLiteral("Canada")), Rec(3010, 3001, QStringLiteral("Cents")),
                 Rec(3011, 99999, QStringLiteral("Zinc cents"))});
        f.Write(QStringLiteral("United States.OVCD"), Header(QStringLiteral("United States"), 0),
                {Rec(345, 340, QStringLiteral("State Quarters")), Rec(375, 340, QStringLiteral("Parks"))});
        LoadCountries(f.s);

        tnodeinfo *first = nullptr;
        QCOMPARE(LoadCountryStructures(f.s, 3, StructureAddUpdate, false, first), 3);
        // Under the root in alphabetical place, ignoring case; an unknown
        // parent puts the series under the root too.
        QCOMPARE(ChildNumbers(f.Root()), (QList<int>{53001, 3001, 5000001, 2, 3011}));
        QCOMPARE(first->CoinType, 3001);
        tnodeinfo *cents = first->ChildNodes.front().get();
        QCOMPARE(cents->Country, 3);
        QVERIFY(cents->UpdateOK && cents->MoveOK && cents->Expanded && !cents->Favorite);
        QCOMPARE(cents->Tag2, -1);
        QCOMPARE(cents->GlyphStats, uint16_t(0));
        QCOMPARE(denmark->GlyphStats, uint16_t(0));

        // An update run marks new series and their ancestors below the root.
        quarters->GlyphStats = 0;
        QCOMPARE(LoadCountryStructures(f.s, 0, StructureAddUpdate, true, first), 2);
        QCOMPARE(ChildNumbers(quarters), (QList<int>{341, 345, 375}));
        QCOMPARE(f.s.QuarterNode->CoinType, 345);
        QCOMPARE(f.s.ATBNode->CoinType, 375);
        QCOMPARE(f.s.QuarterNode->GlyphStats, uint16_t(GlyphAdded));
        QCOMPARE(quarters->GlyphStats, uint16_t(GlyphChildAdded));
        QCOMPARE(usa->GlyphStats, uint16_t(GlyphChildAdded));
        QCOMPARE(f.Root()->GlyphStats, uint16_t(0));
        QVERIFY(f.Status.contains(QStringLiteral("Adding Canada")));
    }

    void moveIntoOwnSubtreeIsRefused()
    {
        tFixture f;
        tnodeinfo *cents = Child(f.Root(), 3010, QStringLiteral("Cents"));
        tnodeinfo *small = Child(cents, 3011, QStringLiteral("Small"));
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3010, 3011, QStringLiteral("Cents")), Rec(3012, 3012, QStringLiteral("Self"))});
        LoadCountries(f.s);
        QCOMPARE(f.Load(3), 2);
        QCOMPARE(cents->ParentNode, f.Root());
        QCOMPARE(small->ParentNode, cents);
        QCOMPARE(CountNumber(f.s, 3012), 1);
    }

    void duplicateNumbersInTheTreeUpdateTheFirst()
    {
        tFixture f;
        tnodeinfo *a = Child(f.Root(), 3010, QStringLiteral("A"));
        tnodeinfo *first = Child(a, 3011, QStringLiteral("first"));
        tnodeinfo *second = Child(f.Root(), 3011, QStringLiteral("second"));
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3011, 3010, QStringLiteral("Renamed")), Rec(3012, 3011, QStringLiteral("Child"))});
        LoadCountries(f.s);
        QCOMPARE(f.Load(3), 2);
        QCOMPARE(first->NodeName, QStringLiteral("Renamed"));
        QCOMPARE(second->NodeName, QStringLiteral("second"));
        QCOMPARE(CountNumber(f.s, 3011), 2);  // no third one
        QCOMPARE(ChildNumbers(first), QList<int>{3012});
    }

    void userSeriesAreGroupedBesideTheirCatalogueSeries()
    {
        tFixture f;
        tnodeinfo *cents = Child(f.Root(), 3010, QStringLiteral("Cents"));
        Child(cents, 5000100, QStringLiteral("Washington quarters, my extras"));
        Child(cents, 3011, QStringLiteral("Lincoln Cents"));
        Child(cents, 5000123, QStringLiteral("Lincoln"));  // the catalogue name begins like it
        Child(cents, 3012, QStringLiteral("Indian Cents"));
        Child(cents, 5000456, QStringLiteral("indian cents with errors"));
        Child(cents, 3999, QStringLiteral("Indian Cents too"));  // a catalogue series is never moved
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3011, 3010, QStringLiteral("Lincoln Cents")), Rec(3012, 3010, QStringLiteral("Indian Cents")),
                 Rec(3013, 3010, QStringLiteral("Washington Quarters"))});
        LoadCountries(f.s);
        f.Load(3);
        QCOMPARE(ChildNumbers(cents), (QList<int>{3999, 3011, 5000123, 3012, 5000456, 3013, 5000100}));
    }

    void compareMarksDifferences_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("treeShape");
        QTest::addColumn<int>("expected");
        // field: 0 nothing, 1 parent, 2 name, 3 code case, 4 code, 5 amount, 6 shape,
        // 7 sub-shape, 8 measure 1 within a tenth, 9 measure 1, 10 measure 2, 11 style bits, 12 colour, 13 mode
        QTest::newRow("identical") << 0 << 0 << 0;
        QTest::newRow("parent") << 1 << 0 << int(GlyphParentDiffers);
        QTest::newRow("name") << 2 << 0 << int(GlyphNameDiffers);
        QTest::newRow("code differs only in case") << 3 << 0 << 0;
        QTest::newRow("code") << 4 << 0 << int(GlyphFaceCodeDiffers);
        QTest::newRow("amount") << 5 << 0 << int(GlyphFaceAmountDiffers);
        QTest::newRow("shape") << 6 << 0 << int(GlyphShapeDiffers);
        QTest::newRow("sides of a polygon") << 7 << 8 << int(GlyphSubShapeDiffers);
        QTest::newRow("sides of a round coin do not count") << 7 << 0 << 0;
        QTest::newRow("measure within a tenth") << 8 << 0 << 0;
        QTest::newRow("measure") << 9 << 0 << int(GlyphMeasure1Differs);
        QTest::newRow("height of a note") << 10 << 5 << int(GlyphMeasure2Differs);
        QTest::newRow("height of a round coin does not count") << 10 << 0 << 0;
        QTest::newRow("font style is not compared") << 11 << 0 << 0;
        QTest::newRow("font colour") << 12 << 0 << int(GlyphFontDiffers);
        QTest::newRow("node mode") << 13 << 0 << int(GlyphNodeModeDiffers);
    }
    void compareMarksDifferences()
    {
        QFETCH(int, field);
        QFETCH(int, treeShape);
        QFETCH(int, expected);
        tFixture f;
        tnodeinfo *parent = Child(f.Root(), 3010, QStringLiteral("Cents"));
        tnodeinfo *n = Child(parent, 3011, QStringLiteral("Small"));
        n->FaceValueCode = QStringLiteral("USD");
        n->FaceValueAmount = 0.25f;
        n->CoinShape = static_cast<uint8_t>(treeShape);
        n->CoinSubShape = 7;
        n->Measure1 = 24.26f;
        n->Measure2 = 60.0f;
        n->FontCode = 0x22;  // italic, green
        n->GlyphStats = GlyphParentDiffers | GlyphNameDiffers;  // stale marks that no longer apply

        tStructureRecord rec = Rec(3011, 3010, QStringLiteral("Small"));
        rec.CoinShape = static_cast<uint8_t>(treeShape);
        rec.CoinSubShape = 7;
        rec.Measure2 = 60.0f;
        switch (field) {
        case 1: rec.Parent = 1; break;
        case 2: rec.NodeName = QStringLiteral("small"); break;
        case 3: rec.FaceValueCode = QStringLiteral("usd"); break;
        case 4: rec.FaceValueCode = QStringLiteral("CAD"); break;
        case 5: rec.FaceValueAmount = 0.5f; break;
        case 6: rec.CoinShape = 9; break;
        case 7: rec.CoinSubShape = 11; break;
        case 8: rec.Measure1 = 24.31f; break;  // 243.1 and 242.6 both round to 243 tenths
        case 9: rec.Measure1 = 24.36f; break;
        case 10: rec.Measure2 = 66.3f; break;
        case 11: rec.FontCode = 0x12; break;
        case 12: rec.FontCode = 0x23; break;
        case 13: rec.NodeMode = NodeModeComment; break;
        default: break;
        }
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {rec, Rec(3099, 3010, QStringLiteral("Not in the tree"))});
        LoadCountries(f.s);
        tnodeinfo *first = nullptr;
        QCOMPARE(LoadCountryStructures(f.s, 3, StructureCompare, false, first), 2);
        QCOMPARE(int(n->GlyphStats), expected);
        QVERIFY(!first);
        QVERIFY(!f.s.DataModified);
        QCOMPARE(ChildNumbers(parent), QList<int>{3011});
        QCOMPARE(n->NodeName, QStringLiteral("Small"));
    }

    void compareKeepsAccumulatedMarks()
    {
        tFixture f;
        tnodeinfo *n = Child(f.Root(), 3011, QStringLiteral("Small"));
        n->GlyphStats = GlyphFaceCodeDiffers | GlyphAdded;
        tStructureRecord rec = Rec(3011, 1, QStringLiteral("Small"));
        rec.FaceValueCode.clear();
        rec.FaceValueAmount = 0;
        rec.Measure1 = 0;
        rec.FontCode = 0;
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3), {rec});
        LoadCountries(f.s);
        f.Load(3, StructureCompare);
        QCOMPARE(n->GlyphStats, uint16_t(GlyphFaceCodeDiffers | GlyphAdded));
    }

    void classes_data()
    {
        QTest::addColumn<int>("classID");
        QTest::addColumn<QString>("autoAdd");
        QTest::addColumn<bool>("onlyLoaded");
        QTest::addColumn<QList<int>>("expected");
        // Countries: 10 N.America coins, 11 N.America paper, 20 Europe coins,
        // 21 Europe paper, 30 exonumia (N.America coins), 40 fantasy (Europe paper).
        QTest::newRow("exonumia") << ExonumiaClass << QString() << false << QList<int>{30};
        QTest::newRow("fantasy") << FantasyClass << QString() << false << QList<int>{40};
        QTest::newRow("North America coins") << FirstContinentClass << QString() << false << QList<int>{10};
        QTest::newRow("North America paper") << FirstContinentClass + 1 << QString() << false << QList<int>{11};
        QTest::newRow("Europe paper") << FirstContinentClass + 7 << QString() << false << QList<int>{21};
        QTest::newRow("all coins") << AllCoinsClass << QString() << false << QList<int>{10, 20};
        QTest::newRow("all paper") << AllPaperClass << QString() << false << QList<int>{11, 21};
        QTest::newRow("every country but the refused")
            << AutoAddClass << QString(21, QLatin1Char(' ')).replace(20, 1, QStringLiteral("N")) << false
            << QList<int>{10, 11, 21, 30, 40};
        QTest::newRow("update run: only loaded countries") << AutoAddClass << QString() << true << QList<int>{20};
        QTest::newRow("one country") << 21 << QString() << false << QList<int>{21};
    }
    void classes()
    {
        QFETCH(int, classID);
        QFETCH(QString, autoAdd);
        QFETCH(bool, onlyLoaded);
        QFETCH(QList<int>, expected);
        tFixture f;
        struct tC {
            int Id, Continent;
            bool Paper;
            int Tab;
        };
        for (const tC &c : {tC{10, 1, false, 0}, tC{11, 1, true, 0}, tC{20, 4, false, 0}, tC{21, 4, true, 0},
                            tC{30, 1, false, 2}, tC{40, 4, true, 3}})
            f.Write(QStringLiteral("C%1.OVCD").arg(c.Id),
                    Header(QStringLiteral("C%1").arg(c.Id), c.Id, c.Continent, c.Paper, c.Tab),
                    {Rec(c.Id * 1000 + 1, 1, QStringLiteral("C%1").arg(c.Id)),
                     Rec(c.Id * 1000 + 2, c.Id * 1000 + 1, QStringLiteral("Series"))});
        LoadCountries(f.s);
        QCOMPARE(f.s.CountryList.size(), size_t(6));
        f.s.AutoAddStr = autoAdd;
        // Country 20 is in the tree already, with one of its two series.
        Child(f.Root(), 20001, QStringLiteral("C20"));
        int progressMax = -2;
        QObject::connect(f.s.Events.get(), &tStateEvents::SetProgress, [&](int, int max) { progressMax = max; });

        tnodeinfo *first = nullptr;
        LoadCountryStructures(f.s, classID, StructureAddUpdate, onlyLoaded, first);
        QList<int> loaded;
        for (const auto &c : f.Root()->ChildNodes)
            if (!c->ChildNodes.empty())
                loaded << c->Country;
        std::sort(loaded.begin(), loaded.end());
        QCOMPARE(loaded, expected);
        if (classID >= FirstCountryClass) {
            QCOMPARE(first, f.Root());
            QCOMPARE(progressMax, 5);
        } else {
            QCOMPARE(first->CoinType, classID * 1000 + 1);
        }
    }

    void keepLockedRestoresPinnedSeries()
    {
        tFixture f;
        tnodeinfo *cents = Child(f.Root(), 3010, QStringLiteral("Cents"));
        tnodeinfo *other = Child(f.Root(), 3020, QStringLiteral("Other"));
        Child(cents, 3011, QStringLiteral("A"), true, false);
        Child(cents, 3012, QStringLiteral("B"));
        Child(cents, 3013, QStringLiteral("C"), true, false);
        Child(cents, 3014, QStringLiteral("D"));
        tnodeinfo *late = Child(cents, 3015, QStringLiteral("E"), true, false);  // remembered at index 4
        // Every series is re-applied (and so sent to the end of its siblings);
        // B and D leave for another parent, so E's old index lies past the end.
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3015, 3010, QStringLiteral("E")), Rec(3013, 3010, QStringLiteral("C")),
                 Rec(3011, 3010, QStringLiteral("A")), Rec(3012, 3020, QStringLiteral("B")),
                 Rec(3014, 3020, QStringLiteral("D")), Rec(3016, 3010, QStringLiteral("New"))});
        LoadCountries(f.s);
        tnodeinfo *first = nullptr;
        QCOMPARE(LoadCountryStructuresKeepLocked(f.s, 3, StructureAddUpdate, false, first), 6);
        QCOMPARE(ChildNumbers(cents), (QList<int>{3011, 3016, 3013, 3015}));
        QCOMPARE(late->ParentNode, cents);
        QCOMPARE(ChildNumbers(other), (QList<int>{3012, 3014}));
        ForEachNode(f.Root(), [](tnodeinfo *n) { QCOMPARE(n->Tag2, -1); });
    }

    // A structure file whose records chain each series below the one before
    // it, far deeper than a stack would carry one frame per level.
    void deepChainOfRecords()
    {
        tFixture f;
        constexpr int depth = 300000;
        std::vector<tStructureRecord> recs;
        recs.reserve(depth);
        recs.push_back(Rec(3000, 1, QStringLiteral("Canada")));
        for (int i = 1; i < depth; ++i)
            recs.push_back(Rec(3000000 + i, i == 1 ? 3000 : 3000000 + i - 1, QStringLiteral("Level")));
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3), recs);
        LoadCountries(f.s);
        tnodeinfo *first = nullptr;
        QCOMPARE(LoadCountryStructuresKeepLocked(f.s, 3, StructureAddUpdate, false, first), depth);
        CalcNodeEntries(f.s);
        CalcNodeDates(f.s);
        FindQuarterNode(f.s);
        QCOMPARE(CountNumber(f.s, 3000000 + depth - 1), 1);
    }

    void checkForNewTypes_data()
    {
        QTest::addColumn<QString>("autoAdd");
        QTest::addColumn<int>("newRecords");
        QTest::addColumn<QString>("question");
        QTest::newRow("nothing new") << QString() << 0 << QString();
        QTest::newRow("refused country is not counted") << QStringLiteral("   N") << 3 << QString();
        QTest::newRow("one") << QString() << 1
                             << QStringLiteral("There is one new coin type in the Orvanta database for countries that "
                                               "are currently included in your collection.  Would you like to add "
                                               "this coin type?");
        QTest::newRow("three") << QStringLiteral("NNN") << 3
                               << QStringLiteral("There are 3 new coin types in the Orvanta database for countries "
                                                 "that are currently included in your collection.  Would you like to "
                                                 "add these coin types?");
    }
    void checkForNewTypes()
    {
        QFETCH(QString, autoAdd);
        QFETCH(int, newRecords);
        QFETCH(QString, question);
        tFixture f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        ui.reply(2);  // "No"
        std::vector<tStructureRecord> recs = {Rec(3001, 1, QStringLiteral("Canada")),
                                              Rec(3010, 3001, QStringLiteral("Cents"))};
        for (int i = 0; i < newRecords; ++i)
            recs.push_back(Rec(3020 + i, 3001, QStringLiteral("New %1").arg(i)));
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3), recs);
        f.Write(QStringLiteral("Other.OVCD"), Header(QStringLiteral("Other"), 4), {Rec(4001, 1, QStringLiteral("O"))});
        LoadCountries(f.s);
        tnodeinfo *canada = Child(f.Root(), 3001, QStringLiteral("Canada"));
        Child(canada, 3010, QStringLiteral("Cents"));
        f.s.AutoAddStr = autoAdd;

        CheckForNewTypes(f.s);
        QCOMPARE(f.Status.first(), QStringLiteral("Checking for new types..."));
        QCOMPARE(f.Status.last(), QString());
        if (question.isEmpty()) {
            QVERIFY(ui.Messages.empty());
        } else {
            QCOMPARE(ui.Messages.size(), size_t(1));
            QCOMPARE(ui.Messages[0].Text, question);
            QCOMPARE(ui.Messages[0].Buttons.size(), size_t(2));
            QCOMPARE(ui.Messages[0].Buttons[0].Caption, QStringLiteral("Yes"));
            QCOMPARE(ui.Messages[0].Buttons[0].ImageIndex, 2);
            QCOMPARE(ui.Messages[0].Buttons[1].Caption, QStringLiteral("No"));
            QCOMPARE(ui.Messages[0].Buttons[1].ImageIndex, 3);
            QVERIFY(ui.Messages[0].Picture.isEmpty());
            QVERIFY(f.Status.contains(question.left(question.indexOf(QStringLiteral(" in the")))));
        }
        QCOMPARE(ChildNumbers(canada), QList<int>{3010});  // "No" adds nothing
        QCOMPARE(CountNumber(f.s, 4001), 0);
        QVERIFY(!f.s.DataModified);
    }

    void checkForNewTypesYesKeepsUnsavedPrices()
    {
        tFixture f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        ui.reply(1);
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                {Rec(3001, 1, QStringLiteral("Canada")), Rec(3010, 3001, QStringLiteral("Cents")),
                 Rec(3020, 3001, QStringLiteral("Dollars"))});
        f.Write(QStringLiteral("Other.OVCD"), Header(QStringLiteral("Other"), 4), {Rec(4001, 1, QStringLiteral("O"))});
        LoadCountries(f.s);
        tnodeinfo *canada = Child(f.Root(), 3001, QStringLiteral("Canada"));
        tnodeinfo *cents = Child(canada, 3010, QStringLiteral("Cents"));
        tnodeinfo *user = Child(f.Root(), 5000001, QStringLiteral("Mine"));

        auto price = [&](int coinType, tnodeinfo *folder) {
            auto p = std::make_unique<tPriceInfo>();
            p->CoinType = coinType;
            p->Folder = folder;
            tPriceInfo *raw = p.get();
            f.s.PriceList.push_back(std::move(p));
            return raw;
        };
        price(3010, cents);
        tPriceInfo *edited = price(5000001, user);
        f.s.PricesModifiedArray[UserCountry] = true;
        f.s.CurrPriceList = {f.s.PriceList[0].get(), edited};
        auto coin = std::make_unique<tCoinInfo>();
        coin->PriceInfo = f.s.PriceList[0].get();
        coin->Folder = cents;
        f.s.CoinList.push_back(std::move(coin));
        int reloads = 0;
        QObject::connect(f.s.Events.get(), &tStateEvents::ReloadPriceLists, [&] { ++reloads; });

        CheckForNewTypes(f.s);
        QCOMPARE(ui.Messages.size(), size_t(1));
        QVERIFY(ui.Messages[0].Text.startsWith(QStringLiteral("There is one new coin type")));
        QCOMPARE(ChildNumbers(canada), (QList<int>{3010, 3020}));
        QCOMPARE(canada->ChildNodes.back()->GlyphStats, uint16_t(GlyphAdded));
        QVERIFY(canada->GlyphStats & GlyphChildAdded);
        QCOMPARE(CountNumber(f.s, 4001), 0);  // only countries in the collection
        QCOMPARE(f.s.PriceList.size(), size_t(1));
        QCOMPARE(f.s.PriceList[0].get(), edited);
        QVERIFY(!edited->Folder);
        QCOMPARE(f.s.CurrPriceList, std::vector<tPriceInfo *>{edited});
        QVERIFY(!f.s.CoinList[0]->PriceInfo);
        QCOMPARE(reloads, 1);
        QVERIFY(f.s.DataModified);
        QCOMPARE(f.Status.last(), QString());
    }

    void damagedFileIsReportedAndTheClassGoesOn_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("string count past the end") << 0;
        QTest::newRow("record count past the end") << 1;
        QTest::newRow("negative string count") << 2;
    }
    void damagedFileIsReportedAndTheClassGoesOn()
    {
        QFETCH(int, damage);
        tFixture f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        ui.reply(1);
        const tStructureHeader h = Header(QStringLiteral("Broken"), 3);
        QByteArray data = BuildStructureFile(h, {Rec(3001, 1, QStringLiteral("Broken")), Rec(3002, 3001, QStringLiteral("X"))});
        // Offsets: record count at 8; the second record's name count follows the first record.
        const int headerSize = 57 + 2 * int(h.Country.Name.size() + h.Country.Description.size() + h.Country.AddOns.size());
        const int firstRecord = 44 + 2 * (6 + 3 + 8 + 8);
        switch (damage) {
        case 0: data.truncate(data.size() - 30); break;
        case 1: data[8] = '\x40'; data[9] = '\x42'; data[10] = '\x0f'; break;  // about a million records
        case 2: data[headerSize + firstRecord + 3] = '\x80'; break;
        }
        FixSize(data);
        f.WriteRaw(QStringLiteral("Broken.OVCD"), data);
        f.Write(QStringLiteral("Good.OVCD"), Header(QStringLiteral("Good"), 4), {Rec(4001, 1, QStringLiteral("Good"))});
        LoadCountries(f.s);

        f.Load(AllCoinsClass);
        QCOMPARE(ui.Messages.size(), size_t(1));
        QCOMPARE(ui.Messages[0].Text, QStringLiteral("The file Broken.OVCD, which contains the default structures for "
                                                  "Broken, is unreadable."));
        QCOMPARE(ui.Messages[0].Buttons.size(), size_t(1));
        QCOMPARE(ui.Messages[0].Buttons[0].Caption, QStringLiteral("OK"));
        QCOMPARE(ui.Messages[0].Buttons[0].ImageIndex, 2);
        QCOMPARE(CountNumber(f.s, 3001), 0);  // nothing of the damaged file is applied
        QCOMPARE(CountNumber(f.s, 4001), 1);
    }

    void fileChangedSinceStartIsPassedOver()
    {
        tFixture f;
        tScriptedUi ui{tScriptedUi::tUnscripted::Zero};
        const QString path = f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3),
                                     {Rec(3001, 1, QStringLiteral("Canada"))});
        LoadCountries(f.s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("trailing");
        file.close();
        QCOMPARE(f.Load(3), 0);
        QVERIFY(ui.Messages.empty());
        QVERIFY(f.Root()->ChildNodes.empty());
    }

    void logLines()
    {
        tFixture f;
        RecordingClipboard clipboard;  // the log records only with a clipboard to copy to
        f.Write(QStringLiteral("Canada.OVCD"), Header(QStringLiteral("Canada"), 3), {Rec(3001, 1, QStringLiteral("Canada"))});
        LogMode = true;
        LogList.clear();
        LoadCountries(f.s);
        QCOMPARE(LogLinesWithoutTime(), QStringList{QStringLiteral("Load Countries.init <Done>")});
        LogList.clear();
        f.Load(3);
        LogMode = false;
        const QString path = f.s.CountriesRedirect + QStringLiteral("Canada.OVCD");
        const QStringList lines = LogLinesWithoutTime();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.mid(0, 6), (QStringList{QStringLiteral(">>>>> Load Countries Section <<<<<"),
                                                QStringLiteral("OVCD: Dictionary.init"),
                                                QStringLiteral("OVCD: Dictionary loaded"),
                                                QStringLiteral("OVCD: Country Class ID=3 Mode=0"),
                                                QStringLiteral("OVCD: Country Step ID=3"),
                                                QStringLiteral("OVCD: Load ") + path}));
        QVERIFY(lines[6].startsWith(QStringLiteral("OVCD: Size %1 Date %2 ")
                                          .arg(QFileInfo(path).size())
                                          .arg(FormatShortDate(45000))));
        QCOMPARE(lines.mid(7), (QStringList{QStringLiteral("Add Series 3001"), QStringLiteral("OVCD: Complete ") + path,
                                              QStringLiteral("OVCD: Class Complete")}));
    }

    void updateThisSeries_data()
    {
        QTest::addColumn<bool>("onRoot");
        QTest::addColumn<QList<int>>("added");
        QTest::newRow("root: every present country not refused") << true << QList<int>{3002};
        QTest::newRow("a series: its country") << false << QList<int>{4002};
    }
    void updateThisSeries()
    {
        QFETCH(bool, onRoot);
        QFETCH(QList<int>, added);
        tFixture f;
        for (int id : {3, 4, 5})
            f.Write(QStringLiteral("C%1.OVCD").arg(id), Header(QStringLiteral("C%1").arg(id), id),
                    {Rec(id * 1000 + 1, 1, QStringLiteral("C%1").arg(id)),
                     Rec(id * 1000 + 2, id * 1000 + 1, QStringLiteral("New"))});
        LoadCountries(f.s);
        Child(f.Root(), 3001, QStringLiteral("C3"));
        tnodeinfo *c4 = Child(f.Root(), 4001, QStringLiteral("C4"));
        f.s.AutoAddStr = QStringLiteral("    N");  // country 4 refused
        f.s.SelectedTreeNode = onRoot ? f.Root() : c4;
        int renders = 0;
        QObject::connect(f.s.Events.get(), &tStateEvents::RenderTree, [&] { ++renders; });

        UpdateSeries1Click(f.s);
        QList<int> found;
        for (int n : {3002, 4002, 5001, 5002})
            if (CountNumber(f.s, n))
                found << n;
        QCOMPARE(found, added);
        QCOMPARE(renders, 1);
        QVERIFY(f.s.DataModified);
        QCOMPARE(f.Status.last(), QString());
    }

    void seriesFreedWhileEventsRunAreNotReused()
    {
        tFixture f;
        f.Write(QStringLiteral("C3.OVCD"), Header(QStringLiteral("C3"), 3), {Rec(3001, 1, QStringLiteral("C3"))});
        f.Write(QStringLiteral("C4.OVCD"), Header(QStringLiteral("C4"), 4),
                {Rec(4001, 1, QStringLiteral("C4")), Rec(4002, 4001, QStringLiteral("Series"))});
        LoadCountries(f.s);
        tnodeinfo *doomed = Child(f.Root(), 4001, QStringLiteral("C4"));
        int calls = 0;
        int nested = -1;
        QObject::connect(f.s.Events.get(), &tStateEvents::ProcessEvents, [&] {
            if (++calls == 1) {
                f.s.DeleteSeries(doomed);
                nested = f.Load(3);  // a second load while one runs does nothing
            }
        });
        f.Load(AllCoinsClass);
        QCOMPARE(nested, 0);
        QCOMPARE(CountNumber(f.s, 4001), 1);
        QCOMPARE(CountNumber(f.s, 4002), 1);
        QVERIFY(!f.s.StructureLoadActive);
    }
};

QTEST_APPLESS_MAIN(tst_Countries)
#include "tst_countries.moc"
