#include <QtTest>

#include "core/model/dates.h"
#include "core/model/seriestree.h"

class tst_SeriesTree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void coinTypeToCountry_data()
    {
        QTest::addColumn<int>("coinType");
        QTest::addColumn<int>("country");
        QTest::newRow("root maps to 0") << 1 << 0;
        QTest::newRow("block member 161") << 161005 << 160;
        QTest::newRow("block member 481") << 481000 << 160;
        QTest::newRow("own root 999") << 999999 << 999;
        QTest::newRow("country 1000 is user") << 1000500 << 1000;
        QTest::newRow("user series") << 5123456 << 1000;
        QTest::newRow("largest block member") << 494001 << 477;
        QTest::newRow("negative never indexes below 0") << -5000 << 0;
        QTest::newRow("int32 min") << INT32_MIN << 0;
        QTest::newRow("int32 max") << INT32_MAX << 1000;
    }
    void coinTypeToCountry()
    {
        QFETCH(int, coinType);
        QFETCH(int, country);
        QCOMPARE(CoinTypeToCountry(coinType), country);
    }

    void seriesBlocks_data()
    {
        QTest::addColumn<int>("inBlock");
        QTest::addColumn<int>("root");
        QTest::addColumn<QList<int>>("filled");
        QTest::newRow("block root 477") << 477 << 477
                                        << QList<int>{477, 479, 480, 482, 483, 484, 485, 486, 487, 488, 491, 493, 494};
        QTest::newRow("member 479") << 479 << 477 << QList<int>{};
        QTest::newRow("own block 3") << 3 << 3 << QList<int>{3};
        QTest::newRow("root 0") << 0 << 0 << QList<int>{0, 1};
    }
    void seriesBlocks()
    {
        QFETCH(int, inBlock);
        QFETCH(int, root);
        QFETCH(QList<int>, filled);
        std::array<int, 21> list;
        list.fill(12345);
        int r = 99;
        SeriesBlocks(inBlock, r, list);
        QCOMPARE(r, root);
        for (int i = 0; i < 21; ++i)
            QCOMPARE(list[static_cast<size_t>(i)], i < filled.size() ? filled[i] : -1);
    }

    void lookUps()
    {
        tMainState s;
        QVERIFY(!CountryIsLoaded(s, 0));
        QVERIFY(!CountryIsLoaded(s, -1));  // the root's own country does not count
        tnodeinfo *usa = AddChildNode(s.EntireCollection.get(), 352);
        usa->NodeName = QStringLiteral("United States");
        tnodeinfo *q = AddChildNode(usa, 345);
        q->NodeName = QStringLiteral("Quarters");
        tnodeinfo *dup = AddChildNode(s.EntireCollection.get(), 345);
        QCOMPARE(CoinTypeToNodeInfo(s, 345), q);  // pre-order: the first one wins
        QCOMPARE(CoinTypeToSeriesName(s, 352), QStringLiteral("United States"));
        QCOMPARE(CoinTypeToSeriesName(s, 7), QString());
        QVERIFY(CountryIsLoaded(s, 0));
        QCOMPARE(SeriesPath(s, q), QStringLiteral("United States\\Quarters"));
        QCOMPARE(SeriesPath(s, s.EntireCollection.get()), QStringLiteral("Entire Collection"));

        FindQuarterNode(s);
        QCOMPARE(s.QuarterNode, dup);  // a later node replaces an earlier one until all eight are found
        QVERIFY(!s.DollarNode);
    }

    void deletingASeriesPurgesLinks()
    {
        tMainState s;
        tnodeinfo *a = AddChildNode(s.EntireCollection.get(), 2001);
        tnodeinfo *b = AddChildNode(a, 2002);
        auto coin = std::make_unique<tCoinInfo>();
        coin->Folder = b;
        tCoinInfo *c = coin.get();
        s.CoinList.push_back(std::move(coin));
        auto price = std::make_unique<tPriceInfo>();
        price->Folder = b;
        s.PriceList.push_back(std::move(price));
        s.SelectedTreeNode = b;
        s.DeleteSeries(a);
        QVERIFY(s.EntireCollection->ChildNodes.empty());
        QVERIFY(!c->Folder);
        QVERIFY(!s.PriceList[0]->Folder);
        QCOMPARE(s.SelectedTreeNode, s.EntireCollection.get());
    }

    void entryCounts()
    {
        tMainState s;
        tnodeinfo *a = AddChildNode(s.EntireCollection.get(), 2001);
        tnodeinfo *b = AddChildNode(a, 2002);
        tnodeinfo *empty = AddChildNode(s.EntireCollection.get(), 3001);
        a->Themes = 0x1 | 0x4;
        b->Themes = 0x4;
        for (tnodeinfo *n : {a, b, b}) {
            auto c = std::make_unique<tCoinInfo>();
            c->Folder = n;
            c->Have = 5;  // quantities do not matter: an entry counts once
            s.CoinList.push_back(std::move(c));
        }
        CalcNodeEntries(s);
        QCOMPARE(b->EntryCount, 2);
        QCOMPARE(a->EntryCount, 3);
        QCOMPARE(s.EntireCollection->EntryCount, 3);
        QCOMPARE(empty->EntryCount, 0);
        QCOMPARE(s.ThemeQuantity[0], 1);
        QCOMPARE(s.ThemeQuantity[2], 2);
        QCOMPARE(s.ThemeQuantity[1], 0);
    }

    void dateRanges()
    {
        tMainState s;
        tnodeinfo *country = AddChildNode(s.EntireCollection.get(), 2000);
        tnodeinfo *plain = AddChildNode(country, 2001);
        tnodeinfo *range = AddChildNode(country, 2002);
        tnodeinfo *tokens = AddChildNode(country, 2003);
        tnodeinfo *excluded = AddChildNode(country, 2004);
        tnodeinfo *shared = AddChildNode(s.EntireCollection.get(), 3001);
        tnodeinfo *bare = AddChildNode(s.EntireCollection.get(), 4001);
        shared->PriceSource = 2002;
        auto add = [&](tnodeinfo *n, int year, const QString &variety, uint16_t bits = DateBitRunEnd) {
            auto p = std::make_unique<tPriceInfo>();
            p->Folder = n;
            p->CoinType = n->CoinType;
            p->Year = year;
            p->Variety = variety;
            p->DateBits = bits;
            s.PriceList.push_back(std::move(p));
        };
        add(plain, 1964, {});
        add(plain, 1950, {}, DateBitRunEnd | DateBitCirca);
        add(range, 0, QStringLiteral(" 1999-2005 "));
        add(tokens, 0, QStringLiteral("\\d/36526 and \\d/40179 "));
        add(tokens, 0, QStringLiteral("\\d/x9 broken \\d/43831 "));  // a malformed token is skipped
        add(excluded, 1800, {}, DateBitRunEnd | DateBitNoRange);
        CalcNodeDates(s);

        QCOMPARE(plain->DateRangeMin, 1950);
        QCOMPARE(plain->DateRangeMax, 1964);
        QCOMPARE(plain->DateRangeCirca & 1, 1);
        QCOMPARE(plain->DateRangeCirca & 2, 0);
        QCOMPARE(range->DateRangeMin, 1999);
        QCOMPARE(range->DateRangeMax, 2005);
        QCOMPARE(tokens->DateRangeMin, 2000);
        QCOMPARE(tokens->DateRangeMax, 2020);
        QVERIFY(!excluded->HasPrices);
        QCOMPARE(excluded->DateRangeMin, 0);
        QCOMPARE(shared->DateRangeMin, 1999);
        QCOMPARE(shared->DateRangeMax, 2005);
        QVERIFY(shared->HasPrices);
        QCOMPARE(country->DateRangeMin, 1950);
        QCOMPARE(country->DateRangeMax, 2020);
        QCOMPARE(s.EntireCollection->DateRangeMin, 1950);
        QCOMPARE(bare->DateRangeMin, 0);
        QCOMPARE(bare->DateRangeMax, 0);
        QCOMPARE(YearsToYearRangeStr(bare->DateRangeMin, bare->DateRangeMax, false), QString());
    }

    // Sharing series read their sources as the walk in tree order finds
    // them: a source later in the tree still holds its own range, one
    // earlier has taken its source's already; of two series with the source's
    // number the first with a range counts.
    void sharedRangesFollowTreeOrder()
    {
        tMainState s;
        tnodeinfo *early = AddChildNode(s.EntireCollection.get(), 1001);    // shares 5001, later in the tree
        tnodeinfo *chained = AddChildNode(s.EntireCollection.get(), 1002);  // shares 1001, shared already
        tnodeinfo *twice = AddChildNode(s.EntireCollection.get(), 1003);    // shares 6001, two series of it
        tnodeinfo *none = AddChildNode(s.EntireCollection.get(), 1004);      // shares a number no series has
        tnodeinfo *source = AddChildNode(s.EntireCollection.get(), 5001);    // shares 7001 itself
        tnodeinfo *emptyTwin = AddChildNode(s.EntireCollection.get(), 6001);
        tnodeinfo *fullTwin = AddChildNode(s.EntireCollection.get(), 6001);
        tnodeinfo *last = AddChildNode(s.EntireCollection.get(), 7001);
        early->PriceSource = 5001;
        chained->PriceSource = 1001;
        twice->PriceSource = 6001;
        none->PriceSource = 9999;
        source->PriceSource = 7001;
        auto add = [&](tnodeinfo *n, int year) {
            auto p = std::make_unique<tPriceInfo>();
            p->Folder = n;
            p->CoinType = n->CoinType;
            p->Year = year;
            p->DateBits = DateBitRunEnd;
            s.PriceList.push_back(std::move(p));
        };
        add(source, 1900);
        add(fullTwin, 1920);
        add(last, 1950);
        add(none, 1990);
        CalcNodeDates(s);
        QCOMPARE(early->DateRangeMin, 1900);    // the source's own range, before it took 7001's
        QCOMPARE(chained->DateRangeMin, 1900);
        QCOMPARE(source->DateRangeMin, 1950);
        QCOMPARE(twice->DateRangeMin, 1920);
        QVERIFY(twice->HasPrices);
        QVERIFY(!emptyTwin->HasPrices);
        QCOMPARE(none->DateRangeMin, 0);         // no source: no range, its own prices' flag kept
        QVERIFY(none->HasPrices);
    }

    void yearRangeText_data()
    {
        QTest::addColumn<int>("y1");
        QTest::addColumn<int>("y2");
        QTest::addColumn<bool>("circa");
        QTest::addColumn<QString>("text");
        QTest::newRow("single year") << 1964 << 1964 << false << QStringLiteral("1964");
        QTest::newRow("range") << 1999 << 2008 << false << QStringLiteral("1999-2008");
        QTest::newRow("to the current year") << 1999 << 2026 << false << QStringLiteral("1999-Date");
        QTest::newRow("no first year") << 0 << 1900 << false << QStringLiteral("-1900");
        QTest::newRow("circa") << 1850 << 1860 << true << QStringLiteral("Circa 1850-1860");
        QTest::newRow("none") << 0 << 0 << false << QString();
    }
    void yearRangeText()
    {
        QFETCH(int, y1);
        QFETCH(int, y2);
        QFETCH(bool, circa);
        QFETCH(QString, text);
        QCOMPARE(YearsToYearRangeStr(y1, y2, circa, 2026), text);
    }

    void measurementText_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<float>("m1");
        QTest::addColumn<float>("m2");
        QTest::addColumn<bool>("addShape");
        QTest::addColumn<QString>("text");
        QTest::newRow("round") << 0 << 30.61f << 0.f << true << QStringLiteral("30.6mm diameter");
        QTest::newRow("rectangle bare") << 7 << 156.f << 66.3f << false << QStringLiteral("156.0mm by 66.3mm");
        QTest::newRow("square repeats measure 1") << 6 << 20.f << 99.f << true
                                                  << QStringLiteral("20.0mm by 20.0mm square");
        QTest::newRow("paper") << 5 << 156.f << 66.f << true << QStringLiteral("156.0mm by 66.0mm paper money");
        QTest::newRow("polygon") << 8 << 25.f << 0.f << true << QStringLiteral("25.0mm polygon");
        QTest::newRow("unknown shape") << 42 << 25.f << 0.f << true << QStringLiteral("25.0mm");
    }
    void measurementText()
    {
        QFETCH(int, shape);
        QFETCH(float, m1);
        QFETCH(float, m2);
        QFETCH(bool, addShape);
        QFETCH(QString, text);
        tnodeinfo n;
        n.CoinShape = static_cast<uint8_t>(shape);
        n.Measure1 = m1;
        n.Measure2 = m2;
        QCOMPARE(NodeInfoToMeasurementStr(n, addShape), text);
    }
};

QTEST_APPLESS_MAIN(tst_SeriesTree)
#include "tst_seriestree.moc"
