#include <QtTest>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <unordered_set>

#include "core/files/collectionfile.h"
#include "core/files/collectionsettings.h"
#include "core/model/mainstate.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "support/collectionfixture.h"
#include "support/scriptedui.h"
#include "support/testsupport.h"

namespace {

constexpr Money Cents(int64_t hundredths)
{
    return hundredths * 100;
}

// A collection with every stored value set to something other than its
// default, names in several scripts, the largest values the format holds,
// and one entry whose series is not in the file.
tFixtureCollection FullFixture(int32_t version)
{
    tFixtureCollection c;
    c.Version = version;
    c.ProgramVersion = QStringLiteral("1.0.0");
    c.ThemeNames[0] = QStringLiteral("Bi-metallic");
    c.ThemeNames[1] = QStringLiteral("\u041f\u0442\u0438\u0446\u044b");  // Cyrillic
    c.ThemeNames[2] = QStringLiteral("\u9ce5\u3068\u82b1");              // CJK
    c.ThemeNames[29] = QStringLiteral("Last slot");
    for (int kind = 0; kind < 2; ++kind)
        for (int scale = 0; scale < 3; ++scale)
            for (int g = 0; g < 41; ++g)
                c.GradeTitles[kind][scale][g] = QStringLiteral("K%1S%2G%3").arg(kind).arg(scale + 1).arg(g);
    c.GradeTitles[0][0][40] = QStringLiteral("G\u00e9m-70");
    c.AutoAddStr = QStringLiteral("YNNY");
    c.ColumnLayout = QStringLiteral("0,75,2,64,1,54");
    c.OldColumnBlock = {{1, 2, 3}, {4, 5, 6}};
    c.SortKeys = {6, -1, 14};
    c.Fields = {{7, QStringLiteral("Lot number"), 8, QString(), 1},
                {1, QStringLiteral("Dealer"), 40, QStringLiteral("\"A B\",C"), 1},
                {4, QStringLiteral("\u041f\u0440\u043e\u0432\u0435\u0440\u0435\u043d\u043e"), 0, QString(), 0}};

    tFixtureSeries root;
    root.NodeName = QStringLiteral("My coins");
    root.CoinType = 1;
    root.Parent = 0;
    root.UpdateOK = true;
    root.MoveOK = false;
    tFixtureSeries country;
    country.NodeName = QStringLiteral("United States");
    country.CoinType = 352;
    country.Parent = 1;
    country.NodeMode = 1;
    country.OldNodeMode = QStringLiteral("ignored");
    tFixtureSeries full;
    full.NodeName = QStringLiteral("Quarters & halves");
    full.CoinType = 352001;
    full.Parent = 352;
    full.PriceSource = 352002;
    full.FaceValueCode = QStringLiteral("USD");
    full.FaceValueAmount = 0.25f;
    full.OldFaceValue = 25;
    full.Obverse = QStringLiteral("~SQ~obverse.jpg");
    full.Reverse = QStringLiteral("~SQ~reverse.jpg");
    full.NodeMode = 2;
    full.Favorite = true;
    full.UpdateOK = false;
    full.MoveOK = false;
    full.CoinShape = 5;
    full.CoinSubShape = 3;
    full.Measure1 = 24.26f;
    full.Measure2 = 1.75f;
    full.Themes = 0x20000005;
    full.GradeScale = 4;
    full.FontCode = 0x35;
    tFixtureSeries cyrillic;
    cyrillic.NodeName = QStringLiteral("\u0420\u0443\u0431\u043b\u0438 \u0421\u0421\u0421\u0420");
    cyrillic.CoinType = 643000;
    cyrillic.Parent = 1;
    tFixtureSeries cjk;
    cjk.NodeName = QStringLiteral("\u65e5\u672c\u306e\u786c\u8ca8");
    cjk.CoinType = 392000;
    cjk.Parent = 1;
    tFixtureSeries user;
    user.NodeName = QStringLiteral("Tokens");
    user.CoinType = 1000123;
    user.Parent = 392000;
    c.Series = {root, country, full, cyrillic, cjk, user};

    c.Stored = {QStringLiteral("Album"), QStringLiteral("\u0421\u0435\u0439\u0444")};
    c.GradedBy = {QStringLiteral("PCGS"), QStringLiteral("NGC")};

    tFixtureCoin a;
    a.CoinType = 352001;
    a.Year = 1999;
    a.Mint = QStringLiteral("P");
    a.Variety = QStringLiteral("Delaware");
    a.GM = QStringLiteral("FB");
    a.Comment = QStringLiteral("Caf\u00e9 find");
    a.BuyLock = a.SellLock = a.MintError = a.User1 = true;
    a.UDFstring = QStringLiteral("17,\"Coin shop\",T");
    a.Grade = 6;
    a.Have = 2147483647;
    a.Need = 1;
    a.Sell = 2;
    a.Sold = 3;
    a.Gradedby = QStringLiteral("PCGS");
    a.Stored = QStringLiteral("Album");
    a.BuyDate = 36526;
    a.BuyPrice = Cents(2147483647);   // 21,474,836.47, the largest price
    a.SellDate = 45000;
    a.SellPrice = Cents(-2147483647 - 1);
    a.Notes = QStringLiteral("line one\r\nline two");
    a.Obverse = QStringLiteral("R~coins\\a-obv.jpg");
    a.Reverse = QStringLiteral("R~coins\\a-rev.jpg");
    a.Receipt = QStringLiteral("/receipts/a.pdf");
    a.OtherImages = QStringLiteral("R~x.jpg,R~y.jpg");
    a.OtherImageNames = QStringLiteral("edge,slab");
    a.Inventory = 41;
    a.InBin = true;
    tFixtureCoin b;
    b.CoinType = 392000;
    b.Year = -200;
    b.Notes = QStringLiteral("\u53e4\u3044\u786c\u8ca8");
    b.Grade = -1;
    b.BuyPrice = Cents(1234);
    b.Inventory = 7;
    tFixtureCoin orphan;
    orphan.CoinType = 999999;   // no such series in the file
    orphan.Year = 1900;
    orphan.Grade = 33;
    orphan.Inventory = 3;
    c.Coins = {a, b, orphan};
    return c;
}

// Records which window-side steps ran, with the text they were given.
struct tHookLog {
    QStringList Calls;
    void Install(tMainState &s)
    {
        auto rec = [this](const char *name) { return [this, name] { Calls << QString::fromLatin1(name); }; };
        QObject::connect(s.Events.get(), &tStateEvents::ResetCoinGridColumnWidths, rec("ResetCoinGridColumnWidths"));
        QObject::connect(s.Events.get(), &tStateEvents::CreateDefaultDatabase, rec("CreateDefaultDatabase"));
        QObject::connect(s.Events.get(), &tStateEvents::CheckForNewTypes, rec("CheckForNewTypes"));
        QObject::connect(s.Events.get(), &tStateEvents::SeriesSelected, rec("SeriesSelected"));
        QObject::connect(s.Events.get(), &tStateEvents::ReloadPriceLists, rec("ReloadPriceLists"));
        QObject::connect(s.Events.get(), &tStateEvents::CreateUDFobjects, rec("CreateUDFobjects"));
        QObject::connect(s.Events.get(), &tStateEvents::ClearUDFControls, rec("ClearUDFControls"));
        QObject::connect(s.Events.get(), &tStateEvents::UnpackColumnData,
                         [this](const QString &t) { Calls << QStringLiteral("UnpackColumnData:") + t; });
        QObject::connect(s.Events.get(), &tStateEvents::UpdateRecentFiles,
                         [this](const QString &t) { Calls << QStringLiteral("UpdateRecentFiles:") + t; });
    }
};

// What must hold after any load, however it ended.
void VerifyConsistent(const tMainState &s)
{
    std::unordered_set<const tnodeinfo *> nodes;
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *x) { nodes.insert(x); });
    for (const auto &c : s.CoinList)
        QVERIFY(c->Folder && nodes.count(c->Folder));
    for (const auto &p : s.PriceList)
        QVERIFY(!p->Folder || nodes.count(p->Folder));
    QVERIFY(nodes.count(s.SelectedTreeNode));
    for (tnodeinfo *special : {s.QuarterNode, s.ATBNode, s.DollarNode, s.WomenNode})
        QVERIFY(!special || nodes.count(special));
}

const tnodeinfo *Node(const tMainState &s, int coinType)
{
    return CoinTypeToNodeInfo(s, coinType);
}

QString TempFile(const QTemporaryDir &dir, const QString &name = QStringLiteral("test.OVD"))
{
    return dir.filePath(name);
}

// Two price entries, one of a country with unsaved price changes (352) and
// one of a country without (643), linked to series of the open tree.
void AddPrices(tMainState &s)
{
    tnodeinfo *us = AddChildNode(s.EntireCollection.get(), 352000);
    tnodeinfo *ru = AddChildNode(s.EntireCollection.get(), 643000);
    auto kept = std::make_unique<tPriceInfo>();
    kept->CoinType = 352000;
    kept->Folder = us;
    auto dropped = std::make_unique<tPriceInfo>();
    dropped->CoinType = 643000;
    dropped->Folder = ru;
    s.PricesModifiedArray[352] = true;
    s.CurrPriceList = {kept.get(), dropped.get()};
    auto coin = std::make_unique<tCoinInfo>();
    coin->CoinType = 643000;
    coin->Folder = ru;
    coin->PriceInfo = dropped.get();
    s.CoinList.push_back(std::move(coin));
    s.PriceList.push_back(std::move(kept));
    s.PriceList.push_back(std::move(dropped));
}

} // namespace

class tst_CollectionFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(tmp_.isValid());
    }

    // The program's writer and the test-side writer are separate; a file read
    // and written again must give the test-side writer's bytes exactly.
    void writerMatchesIndependentLayout_data()
    {
        QTest::addColumn<bool>("empty");
        QTest::newRow("root only, no fields, no entries") << true;
        QTest::newRow("every field set") << false;
    }
    void writerMatchesIndependentLayout()
    {
        QFETCH(bool, empty);
        tFixtureCollection fx = FullFixture(CollectionFileVersion);
        if (empty) {
            fx.Series.resize(1);
            fx.Fields.clear();
            fx.Coins.clear();
        }
        const QByteArray original = CollectionFixtureBytes(fx);
        tMainState s;
        s.OVversionString = fx.ProgramVersion;
        QVERIFY(LoadDataFromBuffer(s, original, QStringLiteral("a.OVD"), false));
        const QByteArray rewritten = CollectionFileBytes(s);
        QCOMPARE(rewritten.toHex(' '), original.toHex(' '));
        if (empty) {
            // Series count 1, and the root record names parent 0.
            ValueReader r(rewritten);
            r.ReadListBegin();
            QCOMPARE(r.ReadInteger(), CollectionFileVersion);
            r.ReadString();
            QCOMPARE(r.ReadInteger(), 1);
        }
    }

    void readsEveryField()
    {
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(FullFixture(95486)), QStringLiteral("a.OVD"), false));
        QCOMPARE(s.EntireCollection->NodeName, QStringLiteral("My coins"));
        const tnodeinfo *n = Node(s, 352001);
        QVERIFY(n);
        QCOMPARE(n->ParentNode, Node(s, 352));
        QCOMPARE(n->NodeName, QStringLiteral("Quarters & halves"));
        QCOMPARE(n->PriceSource, 352002);
        QCOMPARE(n->FaceValueCode, QStringLiteral("USD"));
        QCOMPARE(n->FaceValueAmount, 0.25f);
        QCOMPARE(n->NodeMode, uint8_t(2));
        QVERIFY(n->Favorite && !n->UpdateOK && !n->MoveOK);
        QCOMPARE(n->CoinShape, uint8_t(5));
        QCOMPARE(n->CoinSubShape, uint8_t(3));
        QCOMPARE(n->Measure1, 24.26f);
        QCOMPARE(n->Themes, 0x20000005);
        QCOMPARE(n->GradeScale, uint8_t(4));   // scale 4 is kept, not masked to 0
        QCOMPARE(n->FontCode, uint8_t(0x35));
        QCOMPARE(n->Country, 352);
        QCOMPARE(Node(s, 1000123)->ParentNode, Node(s, 392000));
        QCOMPARE(Node(s, 1000123)->Country, UserCountry);
        QCOMPARE(Node(s, 643000)->NodeName, QStringLiteral("\u0420\u0443\u0431\u043b\u0438 \u0421\u0421\u0421\u0420"));

        QCOMPARE(s.ThemeNames[2], QStringLiteral("\u9ce5\u3068\u82b1"));
        QCOMPARE(s.GradeTitles3D[0][1][41], QStringLiteral("G\u00e9m-70"));
        QCOMPARE(s.GradeTitles3D[1][3][1], QStringLiteral("K1S3G0"));
        QCOMPARE(s.AutoAddStr, QStringLiteral("YNNY"));
        QCOMPARE(s.ColumnLayout, QStringLiteral("0,75,2,64,1,54"));
        QCOMPARE(s.CoinSortOrder, (std::array<int32_t, 3>{6, -1, 14}));
        QCOMPARE(s.UDFlist.size(), size_t(3));
        QCOMPARE(s.UDFlist[1]->ID, 2);
        QCOMPARE(s.UDFlist[1]->Options, QStringLiteral("\"A B\",C"));
        QCOMPARE(s.StoredBoxItems, (QStringList{QStringLiteral("Album"), QStringLiteral("\u0421\u0435\u0439\u0444")}));

        QCOMPARE(s.CoinList.size(), size_t(3));
        const tCoinInfo &a = *s.CoinList[0];
        QCOMPARE(a.Folder, Node(s, 352001));
        QCOMPARE(a.BuyPrice, Money(214748364700));
        QCOMPARE(a.SellPrice, Money(-214748364800));
        QCOMPARE(a.Have, 2147483647);
        QCOMPARE(a.Grade, 6);
        QCOMPARE(a.UDFstring, QStringLiteral("17,\"Coin shop\",T"));
        QCOMPARE(a.OtherImageNames, QStringLiteral("edge,slab"));
        QVERIFY(a.InBin && a.BuyLock && a.SellLock && a.MintError && a.User1);
        QCOMPARE(s.CoinList[2]->Folder, s.EntireCollection.get());   // unknown series: the root
        QCOMPARE(s.CoinList[2]->CoinType, 999999);
        QCOMPARE(s.MaxInventory, 41);
        QCOMPARE(Node(s, 352001)->EntryCount, 1);
        QCOMPARE(s.EntireCollection->EntryCount, 3);
        QVERIFY(!s.DataModified);
        QVERIFY(s.EntireCollection->Expanded);
        QCOMPARE(s.SelectedTreeNode, s.EntireCollection.get());
    }

    // Built in memory rather than from a file: write, read, write again.
    void roundTripFromState()
    {
        tMainState s;
        SetDefaultThemeNames(s);
        ClearStoredBox(s);
        ClearGradedByBox(s);
        s.GradeTitles3D[1][2][5] = QStringLiteral("\u00c9tat-4");
        s.ColumnLayout = QStringLiteral("3,10");
        auto f = std::make_unique<tUDFfield>();
        f->FieldType = UDFDate;
        f->FieldLabel = QStringLiteral("\u8cfc\u5165\u65e5");
        f->BitByte = 255;
        s.UDFlist.push_back(std::move(f));
        tnodeinfo *a = AddChildNode(s.EntireCollection.get(), 156000);
        a->NodeName = QStringLiteral("\u4e2d\u56fd");
        a->Measure1 = 38.6f;
        a->GradeScale = 4;
        tnodeinfo *b = AddChildNode(a, 156001);
        b->NodeName = QString(300, QLatin1Char('x'));   // beyond the short string form
        auto c = std::make_unique<tCoinInfo>();
        c->CoinType = 156001;
        c->Folder = b;
        c->Inventory = 2147483647;
        c->BuyPrice = MoneyFromDouble(-0.5);
        c->Mint = QStringLiteral("\u0416");
        s.CoinList.push_back(std::move(c));

        const QByteArray first = CollectionFileBytes(s);
        tMainState t;
        QVERIFY(LoadDataFromBuffer(t, first, QStringLiteral("r.OVD"), false));
        QCOMPARE(CollectionFileBytes(t).toHex(' '), first.toHex(' '));
        QCOMPARE(t.UDFlist[0]->BitByte, uint8_t(255));
        QCOMPARE(Node(t, 156000)->GradeScale, uint8_t(4));
        QCOMPARE(t.MaxInventory, 2147483647);
    }

    // Prices outside the 32-bit hundredths range are clamped so the file
    // stays readable; amounts round to the nearest hundredth, halves to even.
    void pricesInHundredths_data()
    {
        QTest::addColumn<qint64>("money");
        QTest::addColumn<qint64>("readBack");
        QTest::newRow("exact") << qint64(123400) << qint64(123400);
        QTest::newRow("below a half rounds down") << qint64(123449) << qint64(123400);
        QTest::newRow("half to even, down") << qint64(50) << qint64(0);
        QTest::newRow("half to even, up") << qint64(150) << qint64(200);
        QTest::newRow("negative half to even") << qint64(-150) << qint64(-200);
        QTest::newRow("too large is clamped") << qint64(1000000000000000LL) << qint64(214748364700LL);
        QTest::newRow("too small is clamped") << qint64(-1000000000000000LL) << qint64(-214748364800LL);
    }
    void pricesInHundredths()
    {
        QFETCH(qint64, money);
        QFETCH(qint64, readBack);
        tMainState s;
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = s.EntireCollection.get();
        c->BuyPrice = money;
        c->SellPrice = money;
        s.CoinList.push_back(std::move(c));
        tMainState t;
        QVERIFY(LoadDataFromBuffer(t, CollectionFileBytes(s), QString(), false));
        QCOMPARE(qint64(t.CoinList[0]->BuyPrice), readBack);
        QCOMPARE(qint64(t.CoinList[0]->SellPrice), readBack);
    }

    // One file per version, every value checked against what that version
    // stores and what older files fall back to.
    void olderVersions_data()
    {
        QTest::addColumn<int>("version");
        for (int v = 95461; v <= 95486; ++v)
            QTest::addRow("%d", v) << v;
        QTest::addRow("99999 reads as the newest") << 99999;
    }
    void olderVersions()
    {
        QFETCH(int, version);
        const tFixtureCollection fx = FullFixture(version);
        tMainState s;
        tHookLog hooks;
        hooks.Install(s);
        s.OVversionString = QStringLiteral("1.0.0");
        for (auto &kind : s.GradeTitles3D)
            for (auto &scale : kind)
                scale.fill(QStringLiteral("stale"));
        s.AutoAddStr = QStringLiteral("stale");
        s.ColumnLayout = QStringLiteral("9,9");
        s.CoinSortOrder = {9, 9, 9};
        const QString path = TempFile(tmp_, QStringLiteral("v%1.OVD").arg(version));
        QVERIFY(WriteCollectionFixture(path, fx));
        QVERIFY(LoadDataFromFile(s, path, false));
        VerifyConsistent(s);

        auto since = [&](int first) { return version >= first; };
        // Settings.
        QCOMPARE(s.ThemeNames[1], since(95462) ? fx.ThemeNames[1] : QStringLiteral("Non-round"));
        QCOMPARE(s.ThemeNames[29], since(95462) ? fx.ThemeNames[29] : QString());
        QCOMPARE(s.GradeTitles3D[0][1][1], since(95466) ? QStringLiteral("K0S1G0") : QString());
        QCOMPARE(s.GradeTitles3D[1][3][34], since(95466) ? QStringLiteral("K1S3G33") : QString());
        QCOMPARE(s.GradeTitles3D[1][3][35], since(95472) ? QStringLiteral("K1S3G34") : QString());
        QCOMPARE(s.GradeTitles3D[0][0][1], QStringLiteral("stale"));   // the built-in scale is not in the file
        QCOMPARE(s.AutoAddStr, since(95479) ? fx.AutoAddStr : QString());
        QCOMPARE(s.ColumnLayout, since(95478) ? fx.ColumnLayout : QString());
        QCOMPARE(hooks.Calls.count(QStringLiteral("UnpackColumnData:") + s.ColumnLayout), 2);
        QCOMPARE(hooks.Calls.contains(QStringLiteral("ResetCoinGridColumnWidths")), !since(95475));
        QCOMPARE(s.CoinSortOrder, since(95470) ? fx.SortKeys : (std::array<int32_t, 3>{2, 3, 4}));
        QCOMPARE(s.UDFlist.size(), since(95463) ? fx.Fields.size() : size_t(0));
        QCOMPARE(s.StoredBoxItems.first(), since(95473) ? QStringLiteral("Album") : QStringLiteral("Delivery Pending"));
        QCOMPARE(s.GradedByBoxItems.first(), since(95473) ? QStringLiteral("PCGS") : QStringLiteral("ANACS"));

        // Series.
        const tnodeinfo *n = Node(s, 352001);
        QVERIFY(n);
        QCOMPARE(n->PriceSource, since(95482) ? 352002 : 0);
        QCOMPARE(n->FaceValueCode, since(95480) ? QStringLiteral("USD") : QString());
        QCOMPARE(n->FaceValueAmount, since(95480) ? 0.25f : 0.0f);
        if (since(95486))
            QCOMPARE(n->NodeMode, uint8_t(2));
        else if (since(95476))
            QCOMPARE(n->NodeMode, uint8_t(1));   // stored as a Boolean
        else
            QCOMPARE(n->NodeMode, uint8_t(0));   // not right below the root
        QCOMPARE(Node(s, 352)->NodeMode, uint8_t(1));
        QCOMPARE(Node(s, 643000)->NodeMode, since(95476) ? uint8_t(0) : uint8_t(1));
        QCOMPARE(n->UpdateOK, !since(95474));
        QCOMPARE(n->MoveOK, !since(95483));
        QCOMPARE(n->CoinShape, since(95465) ? uint8_t(5) : uint8_t(0));
        QCOMPARE(n->Measure1, since(95465) ? 24.26f : 0.0f);
        QCOMPARE(n->Measure2, since(95465) ? 1.75f : 0.0f);
        QCOMPARE(n->Themes, since(95462) ? 0x20000005 : 0);
        QCOMPARE(n->GradeScale, since(95466) ? uint8_t(4) : uint8_t(0));
        QCOMPARE(n->FontCode, since(95471) ? uint8_t(0x35) : uint8_t(0));

        // Entries.
        QCOMPARE(s.CoinList.size(), size_t(3));
        const tCoinInfo &a = *s.CoinList[0];
        QCOMPARE(a.UDFstring, since(95463) ? fx.Coins[0].UDFstring : QString());
        QCOMPARE(a.Grade, since(95472) ? 6 : 13);
        QCOMPARE(s.CoinList[1]->Grade, -1);
        QCOMPARE(s.CoinList[2]->Grade, since(95472) ? 33 : 40);
        QCOMPARE(a.BuyPrice, fx.Coins[0].BuyPrice);
        QCOMPARE(a.SellPrice, fx.Coins[0].SellPrice);
        QCOMPARE(a.SellDate, since(95477) ? 45000 : 0);
        QCOMPARE(a.OtherImages, since(95464) ? fx.Coins[0].OtherImages : QString());
        QCOMPARE(a.OtherImageNames, since(95484) ? fx.Coins[0].OtherImageNames : QString());
        QCOMPARE(a.InBin, since(95485));
        QCOMPARE(a.Inventory, 41);
        QCOMPARE(a.Notes, fx.Coins[0].Notes);
        QCOMPARE(s.CoinList[2]->Folder, s.EntireCollection.get());
    }

    // Older files kept measures in ten-thousandths of a millimetre.
    void measuresAsIntegers_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<float>("millimetres");
        QTest::newRow("30.5 mm") << 305000 << 30.5f;
        QTest::newRow("largest accepted") << 9990000 << 999.0f;
        QTest::newRow("beyond the largest counts as 0") << 9990001 << 0.0f;
        QTest::newRow("negative counts as 0") << -5 << 0.0f;
    }
    void measuresAsIntegers()
    {
        QFETCH(int, stored);
        QFETCH(float, millimetres);
        tFixtureCollection fx = FullFixture(95470);
        fx.Series[2].Measure1Raw = stored;
        fx.Series[2].Measure2Raw = stored;
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), false));
        QCOMPARE(Node(s, 352001)->Measure1, millimetres);
        QCOMPARE(Node(s, 352001)->Measure2, millimetres);
    }

    void oldGradeSlots_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("slot");
        const int expected[34] = {3, 5, 7, 8, 9, 11, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                                  24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40};
        for (int g = 0; g < 34; ++g)
            QTest::addRow("%d", g) << g << expected[g];
        QTest::newRow("no grade") << -1 << -1;
    }
    void oldGradeSlots()
    {
        QFETCH(int, stored);
        QFETCH(int, slot);
        QCOMPARE(OldGradeToSlot(stored), slot);
    }

    // Before prices were hundredths they were currency values, or integers
    // taken as whole units.
    void oldPricesAsWholeUnits()
    {
        tFixtureCollection fx = FullFixture(95466);
        fx.Coins[1].PricesAsWholeUnits = true;
        fx.Coins[1].BuyPrice = 25 * MoneyScale;
        fx.Coins[0].BuyPrice = 123456;   // 12.3456: a currency value keeps four places
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), false));
        QCOMPARE(s.CoinList[0]->BuyPrice, Money(123456));
        QCOMPARE(s.CoinList[1]->BuyPrice, 25 * MoneyScale);
    }

    void gradeTitlesAre8BitAndShort()
    {
        tFixtureCollection fx = FullFixture(95486);
        fx.GradeTitles[0][0][0] = QStringLiteral("Much longer than ten");
        fx.GradeTitles[0][0][1] = QStringLiteral("\u041c\u0421-65");   // no 8-bit form
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), false));
        QCOMPARE(s.GradeTitles3D[0][1][1], QStringLiteral("Much longe"));
        QCOMPARE(s.GradeTitles3D[0][1][2], QStringLiteral("?\?-65"));
    }

    void storedItemEscape()
    {
        tFixtureCollection fx = FullFixture(95486);
        fx.Stored = {QString(QChar(27)) + QStringLiteral("xSafe"), QStringLiteral("Box")};
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), false));
        QCOMPARE(s.StoredBoxItems, (QStringList{QStringLiteral("Safe"), QStringLiteral("Box")}));
    }

    // A record whose number was seen updates that series in place; one whose
    // parent is unknown hangs on the root.
    void linking()
    {
        tFixtureCollection fx = FullFixture(95486);
        tFixtureSeries again = fx.Series[1];
        again.NodeName = QStringLiteral("USA");
        again.Parent = 643000;   // a later record does not move the series
        tFixtureSeries stray;
        stray.NodeName = QStringLiteral("Stray");
        stray.CoinType = 500001;
        stray.Parent = 500000;   // no such series
        fx.Series.push_back(again);
        fx.Series.push_back(stray);
        tMainState s;
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), false));
        QCOMPARE(Node(s, 352)->NodeName, QStringLiteral("USA"));
        QCOMPARE(Node(s, 352)->ParentNode, s.EntireCollection.get());
        QCOMPARE(Node(s, 352)->ChildNodes.size(), size_t(1));
        QCOMPARE(Node(s, 500001)->ParentNode, s.EntireCollection.get());
        int count = 0;
        ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *) { ++count; });
        QCOMPARE(count, 7);
    }

    void versionRange_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("95460") << 95460 << false;
        QTest::newRow("95461") << 95461 << true;
        QTest::newRow("99999") << 99999 << true;
        QTest::newRow("100000") << 100000 << false;
    }
    void versionRange()
    {
        QFETCH(int, version);
        QFETCH(bool, accepted);
        tMainState s;
        tHookLog hooks;
        hooks.Install(s);
        s.OVversionString = QStringLiteral("1.0.0");
        AddChildNode(s.EntireCollection.get(), 5000);
        s.LastFileName = QStringLiteral("/old/collection.OVD");
        QCOMPARE(LoadDataFromBuffer(s, CollectionFixtureBytes(FullFixture(version)), QStringLiteral("x.OVD"), false),
                 accepted);
        QCOMPARE(s.CoinList.size(), accepted ? size_t(3) : size_t(0));
        // A file that is refused leaves the open collection and its file.
        QCOMPARE(s.EntireCollection->ChildNodes.size(), accepted ? size_t(3) : size_t(1));
        QCOMPARE(s.EntireCollection->NodeName, accepted ? QStringLiteral("My coins") : QStringLiteral("Entire Collection"));
        QCOMPARE(hooks.Calls.contains(QStringLiteral("UpdateRecentFiles:x.OVD")), accepted);
        if (!accepted)
            QCOMPARE(s.LastFileName, QStringLiteral("/old/collection.OVD"));
    }

    void isNewerVersion_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("newer");
        QTest::newRow("numbers, not text") << "5.10.0" << "5.9.3" << true;
        QTest::newRow("older minor") << "5.9.3" << "5.10.0" << false;
        QTest::newRow("equal") << "5.9.3" << "5.9.3" << false;
        QTest::newRow("build decides") << "5.9.4" << "5.9.3" << true;
        QTest::newRow("major decides") << "6.0.0" << "5.99.99" << true;
        QTest::newRow("older major") << "4.99.99" << "5.0.0" << false;
    }
    void isNewerVersion()
    {
        QFETCH(QString, file);
        QFETCH(QString, program);
        QFETCH(bool, newer);
        QCOMPARE(IsNewerVersion(file, program), newer);
    }

    void newerProgramRefused()
    {
        tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
        tMainState s;
        tHookLog hooks;
        hooks.Install(s);
        s.OVversionString = QStringLiteral("5.9.3");
        s.LastFileName = QStringLiteral("/old/collection.OVD");
        AddPrices(s);
        tFixtureCollection fx = FullFixture(95486);
        fx.ProgramVersion = QStringLiteral("5.10.0");
        const QString path = TempFile(tmp_, QStringLiteral("newer.OVD"));
        QVERIFY(WriteCollectionFixture(path, fx));

        QVERIFY(LoadDataFromFile(s, path, false));
        QCOMPARE(ui.Messages.size(), size_t(1));
        QCOMPARE(ui.Messages[0].Text,
                 QStringLiteral("This collection was created with a newer version of Orvanta (5.10.0)\n"
                                "Reverting to an older version of the program can cause issues when reading "
                                "collection files created on a newer version of the program.\n"
                                "Please update Orvanta to the latest version before attempting to open this "
                                "collection"));
        QCOMPARE(ui.Messages[0].Buttons.size(), size_t(1));
        QCOMPARE(ui.Messages[0].Buttons[0].Caption, QStringLiteral("OK"));
        QVERIFY(hooks.Calls.contains(QStringLiteral("CreateDefaultDatabase")));
        QVERIFY(!hooks.Calls.contains(QStringLiteral("CheckForNewTypes")));
        QVERIFY(!hooks.Calls.contains(QStringLiteral("ReloadPriceLists")));
        QVERIFY(!hooks.Calls.join(' ').contains(QStringLiteral("UpdateRecentFiles")));
        QVERIFY(s.LastFileName.isEmpty());
        QVERIFY(!Node(s, 352001));
        QVERIFY(s.CoinList.empty());
        QCOMPARE(s.PriceList.size(), size_t(2));   // no price reconciliation
        VerifyConsistent(s);
    }

    // Merging a newer file must not throw away the open collection.
    void newerProgramRefusedInMerge()
    {
        tScriptedUi ui{tScriptedUi::tUnscripted::FirstButton};
        tMainState s;
        tHookLog hooks;
        hooks.Install(s);
        s.OVversionString = QStringLiteral("1.0.0");
        s.LastFileName = QStringLiteral("/mine.OVD");
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(FullFixture(95486)), QString(), false));
        tFixtureCollection fx = FullFixture(95486);
        fx.ProgramVersion = QStringLiteral("2.0.0");
        fx.Series[1].NodeName = QStringLiteral("Changed");
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(fx), QString(), true));
        QCOMPARE(ui.Messages.size(), size_t(1));
        QVERIFY(!hooks.Calls.contains(QStringLiteral("CreateDefaultDatabase")));
        QCOMPARE(s.CoinList.size(), size_t(3));
        QCOMPARE(Node(s, 352)->NodeName, QStringLiteral("United States"));
        QCOMPARE(s.LastFileName, QStringLiteral("/mine.OVD"));
    }

    void merge()
    {
        tMainState s;
        tHookLog hooks;
        s.OVversionString = QStringLiteral("1.0.0");
        tFixtureCollection mine = FullFixture(95486);
        mine.SortKeys = {7, 8, 9};
        mine.ThemeNames[1] = QStringLiteral("Mine");
        mine.Fields.resize(1);
        mine.Stored = {QStringLiteral("Drawer")};
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(mine), QString(), false));
        s.LastFileName = QStringLiteral("/mine.OVD");
        const QString myTitle = s.GradeTitles3D[0][1][5];
        const tnodeinfo *usBefore = Node(s, 352);
        hooks.Install(s);

        tFixtureCollection theirs = FullFixture(95486);
        theirs.Series[1].NodeName = QStringLiteral("USA");
        theirs.Series[1].Favorite = true;
        theirs.AutoAddStr = QStringLiteral("NN");
        theirs.GradeTitles[0][0][4] = QStringLiteral("theirs");
        tFixtureSeries extra;
        extra.NodeName = QStringLiteral("Extra");
        extra.CoinType = 352777;
        extra.Parent = 352;
        theirs.Series.push_back(extra);
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(theirs), QStringLiteral("theirs.OVD"), true));
        VerifyConsistent(s);

        // Every entry again, with fresh item numbers after the highest in use.
        QCOMPARE(s.CoinList.size(), size_t(6));
        QCOMPARE(s.CoinList[3]->Inventory, 42);
        QCOMPARE(s.CoinList[4]->Inventory, 43);
        QCOMPARE(s.CoinList[5]->Inventory, 44);
        QCOMPARE(s.CoinList[3]->Folder, Node(s, 352001));
        QCOMPARE(s.CoinList[3]->UDFstring, theirs.Coins[0].UDFstring);
        QCOMPARE(Node(s, 352001)->EntryCount, 2);
        // Series keep their place, take the file's properties; new ones join.
        QCOMPARE(Node(s, 352), usBefore);
        QCOMPARE(Node(s, 352)->NodeName, QStringLiteral("USA"));
        QVERIFY(Node(s, 352)->Favorite);
        QCOMPARE(Node(s, 352777)->ParentNode, usBefore);
        QCOMPARE(s.EntireCollection->ChildNodes.size(), size_t(3));
        // The open collection's settings stay; the new-type choices come along.
        QCOMPARE(s.CoinSortOrder, (std::array<int32_t, 3>{7, 8, 9}));
        QCOMPARE(s.ThemeNames[1], QStringLiteral("Mine"));
        QCOMPARE(s.GradeTitles3D[0][1][5], myTitle);
        QCOMPARE(s.UDFlist.size(), size_t(1));
        QCOMPARE(s.StoredBoxItems, QStringList{QStringLiteral("Drawer")});
        QCOMPARE(s.ColumnLayout, mine.ColumnLayout);
        QCOMPARE(s.AutoAddStr, QStringLiteral("NN"));
        QVERIFY(!hooks.Calls.contains(QStringLiteral("ResetCoinGridColumnWidths")));
        QCOMPARE(hooks.Calls.count(QStringLiteral("UnpackColumnData:")), 2);
        // No new-type check, the recent list untouched, and unsaved content.
        QVERIFY(!hooks.Calls.contains(QStringLiteral("CheckForNewTypes")));
        QVERIFY(!hooks.Calls.join(' ').contains(QStringLiteral("UpdateRecentFiles")));
        QCOMPARE(s.LastFileName, QStringLiteral("/mine.OVD"));
        QVERIFY(s.DataModified);
    }

    // A collection whose entry carries the largest item number: merged
    // entries get free numbers, never wrapped negative ones, and a number
    // appears once.
    void mergeIntoACollectionAtTheLargestItemNumber()
    {
        tMainState s;
        s.OVversionString = QStringLiteral("1.0.0");
        tFixtureCollection mine = FullFixture(95486);
        mine.Coins[0].Inventory = std::numeric_limits<int32_t>::max();
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(mine), QString(), false));
        QCOMPARE(s.MaxInventory, std::numeric_limits<int32_t>::max());
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(FullFixture(95486)), QStringLiteral("theirs.OVD"), true));
        QSet<int32_t> numbers;
        for (const auto &c : s.CoinList) {
            QVERIFY2(c->Inventory > 0, qPrintable(QString::number(c->Inventory)));
            numbers.insert(c->Inventory);
        }
        QCOMPARE(numbers.size(), qsizetype(s.CoinList.size()));
    }

    // A field's length comes from the file and sets how wide its value is
    // written (a real number's exponent digits): it is held to what the
    // length box allows for the type, whatever the file says.
    void userFieldLengthsAreBounded_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("read");
        QTest::newRow("real number, largest int") << 12 << 2147483647 << 4;
        QTest::newRow("real number, in range") << 12 << 3 << 3;
        QTest::newRow("number") << 7 << 99 << 10;
        QTest::newRow("text box, negative") << 0 << -5 << 0;
        QTest::newRow("text box, largest allowed") << 0 << 50 << 50;
        QTest::newRow("certification, too long") << 11 << 100000 << 50;
    }
    void userFieldLengthsAreBounded()
    {
        QFETCH(int, type);
        QFETCH(int, stored);
        QFETCH(int, read);
        tFixtureCollection c = FullFixture(95486);
        c.Fields.resize(1);
        c.Fields[0].FieldType = type;
        c.Fields[0].FieldLabel = QStringLiteral("Field");
        c.Fields[0].Length = stored;
        for (auto &coin : c.Coins)
            coin.UDFstring = QStringLiteral("1e20");
        tMainState s;
        s.OVversionString = QStringLiteral("1.0.0");
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(c), QString(), false));
        QCOMPARE(s.UDFlist.size(), size_t(1));
        QCOMPARE(s.UDFlist[0]->Length, read);
    }

    void mergeOfOldFileResetsThemeNames()
    {
        tMainState s;
        s.ThemeNames.fill(QStringLiteral("Mine"));
        s.AutoAddStr = QStringLiteral("NNN");
        QVERIFY(LoadDataFromBuffer(s, CollectionFixtureBytes(FullFixture(95461)), QString(), true));
        QCOMPARE(s.ThemeNames[0], QStringLiteral("Bi-metallic"));
        QCOMPARE(s.ThemeNames[20], QString());
        QVERIFY(s.AutoAddStr.isEmpty());
    }

    void missingFile()
    {
        tMainState s;
        tHookLog hooks;
        hooks.Install(s);
        AddPrices(s);
        s.LastFileName = QStringLiteral("/old.OVD");
        QVERIFY(!LoadDataFromFile(s, TempFile(tmp_, QStringLiteral("no such file.OVD")), false));
        // The open collection stays, with its file and its prices.
        QCOMPARE(s.CoinList.size(), size_t(1));
        QCOMPARE(s.EntireCollection->ChildNodes.size(), size_t(2));
        QCOMPARE(s.LastFileName, QStringLiteral("/old.OVD"));
        QCOMPARE(s.PriceList.size(), size_t(2));
        QVERIFY(!hooks.Calls.join(' ').contains(QStringLiteral("UpdateRecentFiles")));
    }

    // A file that does not begin as a collection: the open collection stays
    // exactly as it was.
    void notACollection_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("no list begin") << Bytes({2, 5, 0});
        QTest::newRow("no version") << Bytes({1, 6, 1, 'x'});
        QTest::newRow("list begin only") << Bytes({1});
    }
    void notACollection()
    {
        QFETCH(QByteArray, data);
        tMainState s;
        AddPrices(s);
        const tnodeinfo *folder = s.CoinList[0]->Folder;
        QVERIFY(!LoadDataFromBuffer(s, data, QString(), false));
        QCOMPARE(s.CoinList.size(), size_t(1));
        QCOMPARE(s.CoinList[0]->Folder, folder);
        QCOMPARE(s.PriceList.size(), size_t(2));
        QCOMPARE(s.CurrPriceList.size(), size_t(2));
        VerifyConsistent(s);
    }

    // Every possible truncation of a file, in both modes: a clean refusal or
    // "Stream read error", never a success, and a consistent collection.
    void truncatedFiles_data()
    {
        QTest::addColumn<bool>("mergeMode");
        QTest::newRow("normal read") << false;
        QTest::newRow("merge") << true;
    }
    void truncatedFiles()
    {
        QFETCH(bool, mergeMode);
        const QByteArray whole = CollectionFixtureBytes(FullFixture(95486));
        for (qsizetype len = 0; len < whole.size(); ++len) {
            tMainState s;
            s.OVversionString = QStringLiteral("1.0.0");
            AddPrices(s);
            s.LastFileName = QStringLiteral("/mine.OVD");
            const QByteArray part = whole.left(len);
            bool result = true;
            QString error;
            try {
                result = LoadDataFromBuffer(s, part, QString(), mergeMode);
            } catch (const StreamReadError &e) {
                error = QString::fromLatin1(e.what());
            }
            if (error.isEmpty())
                QVERIFY2(!result, qPrintable(QStringLiteral("prefix %1 read as a whole file").arg(len)));
            else
                QCOMPARE(error, QStringLiteral("Stream read error"));
            VerifyConsistent(s);
            QVERIFY(Node(s, 643000) && s.CoinList.size() >= 1);   // the open collection stays
            if (!mergeMode) {
                // Nothing of the failed file was taken: the open collection,
                // its file and its prices are exactly as they were.
                QCOMPARE(s.LastFileName, QStringLiteral("/mine.OVD"));
                QVERIFY(!s.DataModified);
                QCOMPARE(s.CoinList.size(), size_t(1));
                QCOMPARE(s.EntireCollection->ChildNodes.size(), size_t(2));
                QCOMPARE(s.PriceList.size(), size_t(2));
                QCOMPARE(s.ThemeNames[0], QString());
            } else {
                if (!error.isEmpty())
                    QVERIFY(s.DataModified);
                // Prices of a country without unsaved changes are dropped
                // once the merge has touched the collection.
                if (!error.isEmpty())
                    QCOMPARE(s.PriceList.size(), size_t(1));
                // Counts match the entries read so far.
                if (!error.isEmpty())
                    QCOMPARE(s.EntireCollection->EntryCount, int(s.CoinList.size()));
            }
        }
    }

    // Counts and lengths that the rest of the file cannot hold fail at once
    // instead of allocating.
    void hugeCounts_data()
    {
        QTest::addColumn<QByteArray>("data");
        ValueWriter w;
        w.WriteListBegin();
        w.WriteInteger(95486);
        w.WriteString(QStringLiteral("1.0.0"));
        w.WriteInteger(2147483647);
        QTest::newRow("series count") << w.Data();
        tFixtureCollection fx = FullFixture(95486);
        fx.Fields.clear();
        QByteArray bytes = CollectionFixtureBytes(fx);
        // The field count is the first value after the three sort keys.
        const QByteArray marker = Bytes({2, 6, 2, -1, 2, 14, 2, 0});
        const qsizetype at = bytes.indexOf(marker);
        QVERIFY(at > 0);
        QByteArray huge = bytes;
        huge.replace(at + 6, 2, Bytes({19, 0, 0, 0, 0, 0, 1, 0, 0}));
        QTest::newRow("field count") << huge;
        QByteArray longString = bytes;
        longString.replace(at + 8, 0, Bytes({12, -1, -1, -1, 127}));
        QTest::newRow("string length") << longString;
        fx.Coins.clear();
        QByteArray coins = CollectionFixtureBytes(fx);
        QVERIFY(coins.endsWith(Bytes({2, 0, 0})));   // entry count 0, list end
        coins.chop(3);
        coins.append(Bytes({19, 0, 0, 0, 0, 0, 1, 0, 0, 0}));
        QTest::newRow("entry count") << coins;
    }
    void hugeCounts()
    {
        QFETCH(QByteArray, data);
        tMainState s;
        s.OVversionString = QStringLiteral("1.0.0");
        try {
            LoadDataFromBuffer(s, data, QString(), false);
            QFAIL("a damaged file was read");
        } catch (const StreamReadError &e) {
            QVERIFY(!QByteArray(e.what()).isEmpty());
        }
        VerifyConsistent(s);
    }

    // A chain of series far deeper than any stack would carry one frame per
    // level: reading, the recounts, writing and freeing walk it without
    // recursion.
    void deepChainOfSeries()
    {
        constexpr int depth = 300000;
        tFixtureCollection c;
        c.ProgramVersion = QStringLiteral("1.0.0");
        c.Series.resize(depth);
        c.Series[0].NodeName = QStringLiteral("Entire Collection");
        c.Series[0].CoinType = RootCoinType;
        for (int i = 1; i < depth; ++i) {
            c.Series[static_cast<size_t>(i)].NodeName = QStringLiteral("Level %1").arg(i);
            c.Series[static_cast<size_t>(i)].CoinType = 1000000 + i;
            c.Series[static_cast<size_t>(i)].Parent = i == 1 ? RootCoinType : 1000000 + i - 1;
        }
        tFixtureCoin coin;
        coin.CoinType = 1000000 + depth - 1;
        c.Coins = {coin};
        const QByteArray bytes = CollectionFixtureBytes(c);
        {
            tMainState s;
            s.OVversionString = QStringLiteral("1.0.0");
            QVERIFY(LoadDataFromBuffer(s, bytes, QString(), false));
            int levels = 0;
            for (const tnodeinfo *n = s.CoinList[0]->Folder; n->ParentNode; n = n->ParentNode)
                ++levels;
            QCOMPARE(levels, depth - 1);
            QCOMPARE(s.EntireCollection->EntryCount, 1);
            QCOMPARE(CollectionFileBytes(s), bytes);
            s.ClearSeries();
            QVERIFY(s.EntireCollection->ChildNodes.empty());
            QVERIFY(LoadDataFromBuffer(s, bytes, QString(), false));
        }   // the state frees the tree here
    }

    void randomBytes()
    {
        std::mt19937 gen(20240611);
        for (int i = 0; i < 400; ++i) {
            QByteArray data;
            if (i % 2) {   // past the start, so the body reader sees the noise
                data = Bytes({1, 4});
                const int32_t v = 95461 + static_cast<int32_t>(gen() % 30);
                data.append(reinterpret_cast<const char *>(&v), 4);
            }
            const int n = static_cast<int>(gen() % 600);
            for (int k = 0; k < n; ++k)
                data.append(static_cast<char>(gen() & 0xFF));
            tMainState s;
            AddPrices(s);
            try {
                QVERIFY(!LoadDataFromBuffer(s, data, QString(), i % 4 == 1));
            } catch (const StreamReadError &) {
            }
            VerifyConsistent(s);
        }
    }

    // The backup bundle writes picture paths relative to the repository and
    // lists the files to pack.
    void backupPictureRule()
    {
        QTemporaryDir repo;
        QVERIFY(repo.isValid());
        QVERIFY(QDir(repo.path()).mkpath(QStringLiteral("coins")));
        for (const char *name : {"coins/obv.jpg", "b.jpg", "outside.jpg"}) {
            QFile f(repo.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        tMainState s;
        s.RepositoryPath = repo.path() + QLatin1Char('/');
        auto c = std::make_unique<tCoinInfo>();
        c->Folder = s.EntireCollection.get();
        c->Obverse = QStringLiteral("R~coins\\obv.jpg");
        c->Reverse = QStringLiteral("R~coins/missing.jpg");
        c->Receipt = repo.filePath(QStringLiteral("outside.jpg"));
        c->OtherImages = QStringLiteral("R~missing.jpg,R~b.jpg");
        c->OtherImageNames = QStringLiteral("gone,there");
        s.CoinList.push_back(std::move(c));
        s.DataModified = true;

        tBundlePictures images;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        WriteCollectionFile(s, buffer, &images);
        QVERIFY(!s.DataModified);
        QStringList stored, names;
        for (const auto &p : images.List) {
            stored << p.Stored;
            names << p.Name;
        }
        QCOMPARE(stored, (QStringList{QStringLiteral("R~coins\\obv.jpg"), repo.filePath(QStringLiteral("outside.jpg")),
                                      QStringLiteral("R~b.jpg")}));
        QCOMPARE(names, (QStringList{"coins/obv.jpg", "outside.jpg", "b.jpg"}));
        tMainState t;
        QVERIFY(LoadDataFromBuffer(t, buffer.data(), QString(), false));
        const tCoinInfo &r = *t.CoinList[0];
        QCOMPARE(r.Obverse, QStringLiteral("R~/coins/obv.jpg"));
        QCOMPARE(r.Reverse, QString());
        QCOMPARE(r.Receipt, repo.filePath(QStringLiteral("outside.jpg")));
        QCOMPARE(r.OtherImages, QStringLiteral(",R~/b.jpg"));
        QCOMPARE(r.OtherImageNames, QStringLiteral("gone,there"));
        // An ordinary save leaves the paths alone.
        QCOMPARE(UnpackRepositoryPath(s, QStringLiteral("R~/obv.jpg")), repo.path() + QStringLiteral("/obv.jpg"));
        tMainState u;
        QVERIFY(LoadDataFromBuffer(u, CollectionFileBytes(s), QString(), false));
        QCOMPARE(u.CoinList[0]->Reverse, QStringLiteral("R~coins/missing.jpg"));
    }

    // A file many read blocks long, with texts that cross block ends, one
    // text longer than a block and texts that repeat, reads from disk as it
    // does from memory; cut anywhere, it fails as truncated.
    void largeFileFromDisk()
    {
        tMainState s;
        tnodeinfo *series = AddChildNode(s.EntireCollection.get(), 643001);
        series->NodeName = QStringLiteral("\u0420\u043e\u0441\u0441\u0438\u044f");
        for (int i = 0; i < 3000; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->CoinType = 643001;
            c->Folder = series;
            c->Year = 1900 + i % 120;
            c->Mint = i % 2 ? QStringLiteral("\u0421\u041f\u041c\u0414") : QStringLiteral("P");
            c->Variety = QStringLiteral("Tranche stri\u00e9e");
            c->Notes = QStringLiteral("Lot %1, patin\u00e9.\r\n\u0421\u0435\u0440\u0442\u0438\u0444\u0438\u043a\u0430\u0442 %1")
                           .arg(i);
            c->Obverse = QStringLiteral("R~\u65e5\u672c\\%1a.jpg").arg(i);
            c->Inventory = i + 1;
            if (i == 1500)
                c->Comment = QString(100000, QChar(0x0416));
            s.CoinList.push_back(std::move(c));
        }
        const QString path = TempFile(tmp_, QStringLiteral("large.OVD"));
        SaveCollectionFile(s, path);
        const QByteArray bytes = CollectionFileBytes(s);
        QVERIFY(bytes.size() > 8 * 64 * 1024);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll() == bytes);
        }
        tMainState t;
        QVERIFY(LoadDataFromFile(t, path, false));
        QCOMPARE(t.CoinList.size(), size_t(3000));
        QCOMPARE(t.CoinList[1500]->Comment, s.CoinList[1500]->Comment);
        QVERIFY(CollectionFileBytes(t) == bytes);

        const QString cutPath = TempFile(tmp_, QStringLiteral("cut.OVD"));
        for (qsizetype len : {qsizetype(65535), qsizetype(65537), bytes.size() / 2, bytes.size() - 1}) {
            {
                QFile f(cutPath);
                QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                f.write(bytes.left(len));
            }
            tMainState u;
            QVERIFY_THROWS_EXCEPTION(StreamReadError, LoadDataFromFile(u, cutPath, false));
            VerifyConsistent(u);
        }
    }

    // Text holding a surrogate without its partner (which only a UTF-16
    // value can carry) reads and saves unchanged.
    void unpairedSurrogatesKept()
    {
        const QString odd = QStringLiteral("Caf\u00e9 ") + QChar(0xD800) + QStringLiteral(" end");
        tMainState s;
        tnodeinfo *n = AddChildNode(s.EntireCollection.get(), 392000);
        n->NodeName = odd;
        auto c = std::make_unique<tCoinInfo>();
        c->CoinType = 392000;
        c->Folder = n;
        c->Notes = QString(QChar(0xDC00)) + QStringLiteral("note");
        s.CoinList.push_back(std::move(c));
        const QByteArray first = CollectionFileBytes(s);
        tMainState t;
        QVERIFY(LoadDataFromBuffer(t, first, QString(), false));
        QCOMPARE(Node(t, 392000)->NodeName, odd);
        QCOMPARE(t.CoinList[0]->Notes, s.CoinList[0]->Notes);
        QVERIFY(CollectionFileBytes(t) == first);
    }

    void writeReplacesWholeStream()
    {
        tMainState s;
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::ReadWrite));
        buffer.write(QByteArray(100000, 'x'));
        WriteCollectionFile(s, buffer);
        QCOMPARE(buffer.data(), CollectionFileBytes(s));
    }

    void saveReplacesFile()
    {
        const QString path = TempFile(tmp_, QStringLiteral("saved.OVD"));
        QVERIFY(WriteCollectionFixture(path, FullFixture(95470)));
        tMainState s;
        s.DataModified = true;
        SaveCollectionFile(s, path);
        QVERIFY(!s.DataModified);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), CollectionFileBytes(s));
    }

    // A write that fails part-way leaves the previous file as it was and the
    // collection marked unsaved.
    void failedSaveKeepsOldFile()
    {
        const QString path = TempFile(tmp_, QStringLiteral("keep.OVD"));
        const QByteArray old = CollectionFixtureBytes(FullFixture(95486));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        tMainState s;
        QVERIFY(LoadDataFromFile(s, path, false));
        for (int i = 0; i < 2000; ++i) {
            auto c = std::make_unique<tCoinInfo>();
            c->Folder = s.EntireCollection.get();
            c->Notes = QStringLiteral("A note long enough to make the file grow well past the limit.");
            s.CoinList.push_back(std::move(c));
        }
        s.DataModified = true;

        // The file-size limit makes the disk refuse the write.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 16384;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool threw = false;
        try {
            SaveCollectionFile(s, path);
        } catch (const FileWriteError &e) {
            threw = QString::fromUtf8(e.what()).contains(path);
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(threw);
        QVERIFY(s.DataModified);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), old);
        QCOMPARE(QDir(tmp_.path()).entryList(QStringList{QStringLiteral("keep.OVD*")}, QDir::Files).size(), 1);
    }

private:
    QTemporaryDir tmp_;
};

QTEST_APPLESS_MAIN(tst_CollectionFile)
#include "tst_collectionfile.moc"
