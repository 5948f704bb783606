#include <QtTest>

#include "core/catalogue/countries.h"
#include "core/catalogue/countryitems.h"
#include "core/files/valuestream.h"
#include "platform/ini.h"
#include "core/files/structurewriter.h"
#include "support/treefixture.h"

namespace {

tCountryItem Item(const QString &name, int tab, int index, int goTo = 0, const QString &prefix = {})
{
    tCountryItem e;
    e.Name = name;
    e.tab = tab;
    e.Index = index;
    e.XX = 12;
    e.YY = -34;
    e.GoToSeries = goTo;
    e.Notes = name + QStringLiteral(" notes\r\nsecond line");
    e.Prefix = prefix;
    e.Flag = 3;
    return e;
}

QStringList Names(const std::vector<tCountryItem> &items)
{
    QStringList out;
    for (const tCountryItem &e : items)
        out << e.Name;
    return out;
}

void WriteText(const QString &path, const QString &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
}

tStructureRecord Rec(int coinType, int parent, const QString &name)
{
    tStructureRecord r;
    r.CoinType = coinType;
    r.Parent = parent;
    r.NodeName = name;
    r.Measure1 = 20;
    return r;
}

// A Countries folder with two small countries (5 and 6) listed in the state.
struct tCatalogue {
    tCatalogue()
    {
        s.CountriesRedirect = dir.path() + QLatin1Char('/');
        Write(QStringLiteral("Alpha"), 5, {Rec(5000, 1, QStringLiteral("Alpha")), Rec(5001, 5000, QStringLiteral("Alpha cents"))});
        Write(QStringLiteral("Beta"), 6, {Rec(6000, 1, QStringLiteral("Beta")), Rec(6001, 6000, QStringLiteral("Beta cents"))});
        LoadCountries(s);
        QObject::connect(s.Events.get(), &tStateEvents::ReloadPriceLists, [this] { ++PriceReloads; });
    }
    void Write(const QString &name, int id, const std::vector<tStructureRecord> &recs)
    {
        tStructureHeader h;
        h.Country.Name = name;
        h.Country.Description = name;
        h.Country.CountryID = id;
        h.Country.Continent = 4;
        WriteStructureFile(dir.filePath(name + QStringLiteral(".OVCD")), h, recs);
    }
    QTemporaryDir dir;
    tMainState s;
    int PriceReloads = 0;
};

} // namespace

class tst_CountryItems : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataFileRoundTripsInItsFieldOrder()
    {
        const std::vector<tCountryItem> items{Item(QStringLiteral("Japan"), 0, 64, 64000, QStringLiteral("日本国")),
                                              Item(QStringLiteral("World coins"), 4, 9998)};
        const QByteArray data = WriteCountryItems(items);
        // The stream's own layout: list, count, then Name, tab, Index, XX, YY,
        // GoToSeries, Notes, Prefix, Flag per entry.
        ValueReader r(data);
        r.ReadListBegin();
        QCOMPARE(r.ReadInteger(), 2);
        QCOMPARE(r.ReadString(), QStringLiteral("Japan"));
        QCOMPARE(r.ReadInteger(), 0);
        QCOMPARE(r.ReadInteger(), 64);
        QCOMPARE(r.ReadInteger(), 12);
        QCOMPARE(r.ReadInteger(), -34);
        QCOMPARE(r.ReadInteger(), 64000);
        QCOMPARE(r.ReadString(), items[0].Notes);
        QCOMPARE(r.ReadString(), QStringLiteral("日本国"));
        QCOMPARE(r.ReadInteger(), 3);

        QCOMPARE(ReadCountryItems(data), items);
    }

    void damagedOrMissingDataFileIsAnError()
    {
        QByteArray cut = WriteCountryItems({Item(QStringLiteral("Japan"), 0, 64)});
        cut.chop(3);
        QVERIFY_THROWS_EXCEPTION(StreamReadError, ReadCountryItems(cut));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, LoadCountryItemsFile(QStringLiteral("/nonexistent/Countries.Data")));
    }

    void entriesOutsideTheFiveTabsAreSkipped()
    {
        const auto lists = SplitByTab({Item(QStringLiteral("A"), 0, 1), Item(QStringLiteral("Odd"), 5, 2),
                                       Item(QStringLiteral("B"), 4, 9998), Item(QStringLiteral("Neg"), -1, 3),
                                       Item(QStringLiteral("C"), 0, 4)});
        QCOMPARE(Names(lists[CoinsTab]), (QStringList{QStringLiteral("A"), QStringLiteral("C")}));
        QCOMPARE(Names(lists[RegionsTab]), QStringList{QStringLiteral("B")});
        int total = 0;
        for (const auto &l : lists)
            total += static_cast<int>(l.size());
        QCOMPARE(total, 3);
    }

    void maintainerRebuildFromIni()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Countries.ini"));
        WriteText(ini, QStringLiteral("[zeta]\nName=Zeta Land\nTab=1\nIndex=12\nX=40\nY=-3\nGoToSeries=-1\n"
                                      "Notes=First<>Second\nPrefix=50\nFlag=Zed\n"
                                      "[World]\nName=All coins\nTab=4\nIndex=9998\n"
                                      "[alpha]\nPrefix=99\nGoToSeries=-1\n"
                                      "[Beta]\nIndex=7\nGoToSeries=7001\nFlag=Nowhere\n"
                                      "[FlagIndex]\nZed=11\nalpha=4\nWorld=9\n"));
        const QString out = dir.filePath(QStringLiteral("Countries.Data"));
        QVERIFY(BuildCountriesData(ini, out));
        const std::vector<tCountryItem> items = LoadCountryItemsFile(out);
        // World-wide classes first, then the others by section name ignoring case.
        QCOMPARE(Names(items), (QStringList{QStringLiteral("All coins"), QStringLiteral("<Undefined>"),
                                            QStringLiteral("<Undefined>"), QStringLiteral("Zeta Land")}));
        const tCountryItem &world = items[0];
        QCOMPARE(world.Flag, 9);
        QCOMPARE(world.Notes, QStringLiteral("World"));   // defaults to the section's name
        const tCountryItem &alpha = items[1];
        QCOMPARE(alpha.Index, -1);
        QCOMPARE(alpha.GoToSeries, -1);                   // no country of its own to go to
        QCOMPARE(alpha.Prefix, QString());                // 99 names no native name
        QCOMPARE(alpha.Flag, 4);
        const tCountryItem &beta = items[2];
        QCOMPARE(beta.GoToSeries, 7001);
        QCOMPARE(beta.Flag, -1);                          // not in the flag table
        const tCountryItem &zeta = items[3];
        QCOMPARE(zeta.tab, 1);
        QCOMPARE(zeta.Index, 12);
        QCOMPARE(zeta.XX, 40);
        QCOMPARE(zeta.YY, -3);
        QCOMPARE(zeta.GoToSeries, 12000);
        QCOMPARE(zeta.Notes, QStringLiteral("First\r\nSecond"));
        QCOMPARE(zeta.Prefix, QStringLiteral("+(Eastern Group)"));
        QCOMPARE(zeta.Flag, 11);
    }

    // A go-to of -1 names the country's series, its index times 1000: the
    // largest index whose number fits is kept, one above it is refused.
    void rebuildRefusesAnIndexWhoseSeriesCannotExist()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Countries.ini"));
        WriteText(ini, QStringLiteral("[Largest]\nName=Largest\nIndex=2147483\nGoToSeries=-1\n"
                                      "[Past]\nName=Past\nIndex=2147484\nGoToSeries=-1\n"
                                      "[Far]\nName=Far\nIndex=2147483647\nGoToSeries=-5\n"
                                      "[Kept]\nName=Kept\nIndex=2147483647\nGoToSeries=7\n"
                                      "[FlagIndex]\n"));
        const QString out = dir.filePath(QStringLiteral("Countries.Data"));
        QVERIFY(BuildCountriesData(ini, out));
        const std::vector<tCountryItem> items = LoadCountryItemsFile(out);
        QCOMPARE(Names(items), (QStringList{QStringLiteral("Kept"), QStringLiteral("Largest")}));
        QCOMPARE(items[1].GoToSeries, 2147483000);
        QCOMPARE(items[0].GoToSeries, 7);
    }

    void rebuildWithoutEntriesKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Countries.ini"));
        WriteText(ini, QStringLiteral("[FlagIndex]\nZed=1\n"));
        const QString out = dir.filePath(QStringLiteral("Countries.Data"));
        WriteText(out, QStringLiteral("old"));
        QVERIFY(!BuildCountriesData(ini, out));
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("old"));
    }

    void nativeNames()
    {
        QCOMPARE(NativeName(0), QString());
        QCOMPARE(NativeName(53), QString());
        QCOMPARE(NativeName(23), QStringLiteral("日本国"));
        QCOMPARE(NativeName(4), QStringLiteral("د افغانستان اسلامي جمهوریت "));
        QCOMPARE(NativeName(27).count(QLatin1Char('\r')), 3);
        QCOMPARE(NativeName(52), QStringLiteral("(Under Construction)"));
    }

    void titleComposition_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("title");
        QTest::newRow("native name above") << "Japan" << "日本国" << "日本国\rJapan";
        QTest::newRow("plus puts it below") << "Oddland" << "+(Eastern Group)" << "Oddland\r(Eastern Group)";
        QTest::newRow("no prefix leaves an empty first line") << "Canada" << "" << "\rCanada";
        QTest::newRow("ampersand is shown, not an accelerator") << "Trinidad & Tobago" << ""
                                                                 << "\rTrinidad && Tobago";
    }
    void titleComposition()
    {
        QFETCH(QString, name);
        QFETCH(QString, prefix);
        QFETCH(QString, title);
        tCountryItem e;
        e.Name = name;
        e.Prefix = prefix;
        QCOMPARE(CountryTitle(e), title);
    }

    void globeAngles_data()
    {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("z");
        QTest::newRow("prime meridian tilts about X only") << 51.0 << 0.0 << 51.0 << 0.0;
        QTest::newRow("ninety east tilts about Z only") << 30.0 << 90.0 << 0.0 << 30.0;
        QTest::newRow("date line tilts X the other way") << 20.0 << 180.0 << -20.0 << 0.0;
        QTest::newRow("southern sixty west") << -25.0 << -60.0 << -12.5 << 21.650635;
    }
    void globeAngles()
    {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(double, x);
        QFETCH(double, z);
        const tGlobeAngles a = GlobeAngles(lat, lon);
        QCOMPARE(a.Y, lon);
        QVERIFY(std::abs(a.X - x) < 1e-5);
        QVERIFY(std::abs(a.Z - z) < 1e-5);
        // The globe shows the location's latitude at its centre again.
        QVERIFY(std::abs(GlobeCentreLatitude(a) - lat) < 1e-9);
    }

    void worldWideClasses()
    {
        for (int index : {9979, 9980, 9998, 9999})
            QVERIFY(IsWorldWide(index));
        for (int index : {0, 64, 9981, 9982, 9997})
            QVERIFY(!IsWorldWide(index));
    }

    void keyboardTargets_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("target");
        const int none = -1;
        QTest::newRow("down") << int(Qt::Key_Down) << 1 << 2;
        QTest::newRow("up at the top stays") << int(Qt::Key_Up) << 0 << 0;
        QTest::newRow("page down stops at the last") << int(Qt::Key_PageDown) << 4 << 5;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << 5 << 2;
        QTest::newRow("letter finds first, either case") << int(Qt::Key_B) << 0 << 1;
        QTest::newRow("letter of a lower-case name") << int(Qt::Key_E) << 0 << 4;
        QTest::newRow("letter with no entry keeps the current") << int(Qt::Key_Q) << 3 << 3;
        QTest::newRow("other keys pass") << int(Qt::Key_Return) << 2 << none;
    }
    void keyboardTargets()
    {
        QFETCH(int, key);
        QFETCH(int, current);
        QFETCH(int, target);
        const QStringList names{QStringLiteral("Austria"), QStringLiteral("Belgium"), QStringLiteral("Brazil"),
                                QStringLiteral("Chile"),   QStringLiteral("estonia"), QStringLiteral("Ödland")};
        QCOMPARE(KeyTargetIndex(key, current, 3, names), target);
    }

    void addButtonOffersGoToOnceTheSeriesIsThere()
    {
        tMainState s;
        BuildTree(s, QStringLiteral("Japan #64000\n  Yen #64001\n"));
        tCountryItem japan = Item(QStringLiteral("Japan"), CoinsTab, 64, 64000);
        tAddButton b = AddButtonFor(s, japan);
        QCOMPARE(b.Text, QStringLiteral("Go To\rThis\rCountry"));
        QCOMPARE(b.Picture, 8);
        QCOMPARE(b.GoTo, 64000);

        tCountryItem korea = Item(QStringLiteral("Korea"), CoinsTab, 65, 65000);
        b = AddButtonFor(s, korea);
        QCOMPARE(b.Text, QStringLiteral("Add This\rCountry"));
        QCOMPARE(b.Picture, 9);
        QCOMPARE(b.GoTo, 0);
        QCOMPARE(AddButtonFor(s, Item(QStringLiteral("World"), RegionsTab, 9998)).Text, QStringLiteral("Add This\rRegion"));
        QCOMPARE(CountriesSelectedText(2), QStringLiteral("2 Countries selected"));
    }

    void addingTwoCountriesLoadsBothAndSelectsTheFirst()
    {
        tCatalogue c;
        const tCountryItem alpha = Item(QStringLiteral("Alpha"), CoinsTab, 5);
        const tCountryItem beta = Item(QStringLiteral("Beta"), CoinsTab, 6);
        tnodeinfo *target = AddCountryItems(c.s, {&alpha, &beta}, 0);
        QVERIFY(target);
        QCOMPARE(target->CoinType, 5000);
        QVERIFY(FindSeriesNode(c.s, 6001));
        QCOMPARE(c.PriceReloads, 1);
    }

    void addingPrefersTheLastEntrysGoToSeries()
    {
        tCatalogue c;
        const tCountryItem alpha = Item(QStringLiteral("Alpha"), CoinsTab, 5);
        const tCountryItem beta = Item(QStringLiteral("Beta"), CoinsTab, 6, 6001);
        QCOMPARE(AddCountryItems(c.s, {&alpha, &beta}, 0)->CoinType, 6001);
    }

    void goToLoadsNothingUnlessTheSeriesWasDeleted()
    {
        tCatalogue c;
        const tCountryItem alpha = Item(QStringLiteral("Alpha"), CoinsTab, 5, 5001);
        QCOMPARE(AddCountryItems(c.s, {&alpha}, 0)->CoinType, 5001);
        tnodeinfo *cents = FindSeriesNode(c.s, 5001);
        cents->NodeName = QStringLiteral("Renamed");   // a reload would set it back
        QCOMPARE(AddCountryItems(c.s, {&alpha}, AddButtonFor(c.s, alpha).GoTo), cents);
        QCOMPARE(cents->NodeName, QStringLiteral("Renamed"));

        const int remembered = AddButtonFor(c.s, alpha).GoTo;
        c.s.DeleteSeries(FindSeriesNode(c.s, 5000));
        QVERIFY(!FindSeriesNode(c.s, 5001));
        tnodeinfo *again = AddCountryItems(c.s, {&alpha}, remembered);
        QVERIFY(again);
        QCOMPARE(again->NodeName, QStringLiteral("Alpha cents"));
    }

    // The go-to series is remembered by number: once the tree is read
    // again (the series now at another address, renamed by the collector)
    // the button still goes to it and reloads nothing over the rename.
    void goToFindsTheSeriesAfterTheTreeIsReadAgain()
    {
        tCatalogue c;
        const tCountryItem alpha = Item(QStringLiteral("Alpha"), CoinsTab, 5, 5001);
        AddCountryItems(c.s, {&alpha}, 0);
        const int remembered = AddButtonFor(c.s, alpha).GoTo;
        QCOMPARE(remembered, 5001);
        c.s.ClearSeries();
        BuildTree(c.s, QStringLiteral("My Alpha #5000\n  My cents #5001\n"));
        const int reloads = c.PriceReloads;
        tnodeinfo *target = AddCountryItems(c.s, {&alpha}, remembered);
        QVERIFY(target);
        QCOMPARE(target->NodeName, QStringLiteral("My cents"));
        QCOMPARE(c.PriceReloads, reloads);  // nothing was loaded
    }

    // A tree far deeper than a stack would carry one frame per level.
    void findsASeriesInADeepTree()
    {
        tMainState s;
        tnodeinfo *n = s.EntireCollection.get();
        for (int i = 0; i < 300000; ++i)
            n = AddChildNode(n, 2000000 + i);
        QCOMPARE(FindSeriesNode(s, 2000000 + 299999), n);
        QVERIFY(!FindSeriesNode(s, 42));
    }

    void entryWithoutCatalogueFileAddsNothing()
    {
        tCatalogue c;
        const tCountryItem missing = Item(QStringLiteral("Gamma"), CoinsTab, 7);
        QVERIFY(!AddCountryItems(c.s, {&missing}, 0));
        QVERIFY(c.s.EntireCollection->ChildNodes.empty());
    }
};

QTEST_GUILESS_MAIN(tst_CountryItems)
#include "tst_countryitems.moc"
