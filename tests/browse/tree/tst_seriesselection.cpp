#include <QtTest>

#include "browse/tree/seriesselection.h"
#include "browse/tree/treeview.h"
#include "support/treefixture.h"

namespace {

// A small grade table: scale 0 of coins and paper money have titles, user
// scale 1 of coins is blank, scale 2 of coins has two titles (one padded),
// scale 4 of coins has its own.
QString Title(int kind, int scale, int slot)
{
    if (scale == 0)
        return slot < 3 ? QStringLiteral("%1-%2").arg(kind == 0 ? "C" : "P").arg(slot) : QString();
    if (kind == 0 && scale == 2)
        return slot == 5 ? QStringLiteral("  Nice  ") : slot == 7 ? QStringLiteral("Better") : QStringLiteral("   ");
    if (kind == 0 && scale == 4)
        return slot == 0 ? QStringLiteral("X 1") : QString();
    return {};
}

tPriceInfo *AddPrice(tMainState &s, int coinType, const QString &gm = QString())
{
    auto p = std::make_unique<tPriceInfo>();
    p->CoinType = coinType;
    p->GM = gm;
    tPriceInfo *raw = p.get();
    s.PriceList.push_back(std::move(p));
    return raw;
}

QString Titles(const std::vector<tGradeTitle> &list)
{
    QStringList out;
    for (const tGradeTitle &g : list)
        out << QStringLiteral("%1=%2").arg(g.Slot).arg(g.Title);
    return out.join(QLatin1Char(' '));
}

} // namespace

class tst_SeriesSelection : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clickTrack()
    {
        tMainState s;
        QString outline;
        for (int i = 0; i < 13; ++i)
            outline += QStringLiteral("P%1\n").arg(i);
        outline += QStringLiteral("Unpriced\n");
        auto n = BuildTree(s, outline);
        for (int i = 0; i < 13; ++i)
            n.value(QStringLiteral("P%1").arg(i))->HasPrices = true;
        auto names = [&] {
            QStringList out;
            for (tnodeinfo *t : s.ClickTrackList)
                out << t->NodeName;
            return out.join(QLatin1Char(' '));
        };
        tSelectionSeams none;
        auto select = [&](const QString &name) {
            s.SelectedTreeNode = n.value(name);
            SeriesSelected(s, nullptr, none);
        };
        select("P0");
        select("P1");
        select("P0");
        QCOMPARE(names(), QStringLiteral("P0 P1"));   // a repeat moves to the front, once
        select("Unpriced");
        QCOMPARE(names(), QStringLiteral("P0 P1"));
        for (int i = 2; i < 12; ++i)
            select(QStringLiteral("P%1").arg(i));
        QCOMPARE(names(), QStringLiteral("P11 P10 P9 P8 P7 P6 P5 P4 P3 P2 P0"));   // eleven: P1 dropped
        select("P3");
        QCOMPARE(names(), QStringLiteral("P3 P11 P10 P9 P8 P7 P6 P5 P4 P2 P0"));

        // Freeing a series takes it out of the track as well.
        s.DeleteSeries(n.value("P11"));
        QCOMPARE(names(), QStringLiteral("P3 P10 P9 P8 P7 P6 P5 P4 P2 P0"));
    }

    void gradeList_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("titles");
        QTest::newRow("built-in coin scale") << 0 << 0 << "0=C-0 1=C-1 2=C-2";
        QTest::newRow("paper money uses its own table") << 0 << 5 << "0=P-0 1=P-1 2=P-2";
        QTest::newRow("blank user scale falls back to scale 0") << 1 << 0 << "0=C-0 1=C-1 2=C-2";
        QTest::newRow("user scale, titles trimmed, blanks skipped") << 2 << 0 << "5=Nice 7=Better";
        QTest::newRow("extended scale") << 4 << 0 << "0=X 1";
        QTest::newRow("a scale out of range reads as 0") << 200 << 0 << "0=C-0 1=C-1 2=C-2";
    }
    void gradeList()
    {
        QFETCH(int, scale);
        QFETCH(int, shape);
        QFETCH(QString, titles);
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("S"));
        tnodeinfo *node = n.value("S");
        node->GradeScale = static_cast<uint8_t>(scale);
        node->CoinShape = static_cast<uint8_t>(shape);
        tSelectionSeams seams;
        seams.GradeTitle = [](int kind, int sc, int slot) {
            if (sc < 0 || sc >= GradeScaleCount || slot < 0 || slot >= GradeSlots)
                throw std::out_of_range("grade table");
            return Title(kind, sc, slot);
        };
        s.SelectedTreeNode = node;
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(Titles(s.CurrGradeList), titles);
    }

    void priceListFollowsThePriceSource()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("Own #3001\nBorrower #3002"));
        tPriceInfo *a = AddPrice(s, 3001);
        AddPrice(s, 3002);
        tPriceInfo *b = AddPrice(s, 3001);
        tSelectionSeams none;

        s.SelectedTreeNode = n.value("Own");
        SeriesSelected(s, nullptr, none);
        QCOMPARE(s.CurrPriceList, (std::vector<tPriceInfo *>{a, b}));

        n.value("Borrower")->PriceSource = 3001;
        s.SelectedTreeNode = n.value("Borrower");
        SeriesSelected(s, nullptr, none);
        QCOMPARE(s.CurrPriceList, (std::vector<tPriceInfo *>{a, b}));

        n.value("Borrower")->PriceSource = -5;   // not above 0: its own list
        SeriesSelected(s, nullptr, none);
        QCOMPARE(s.CurrPriceList.size(), size_t(1));
        QCOMPARE(s.CurrPriceList[0]->CoinType, 3002);
    }

    void mintLists_data()
    {
        QTest::addColumn<int>("priceSource");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("block 0") << 345 << 7 << "P" << "W";
        QTest::newRow("block 1 shares it") << 1500 << 7 << "P" << "W";
        QTest::newRow("member 455 of block 8") << 455010 << 28 << "A" << QStringLiteral("\u03FD\u03F9");
        QTest::newRow("block 14 via member 471") << 471001 << 19 << "AM (a)" << QStringLiteral("\u041F (l)");
        QTest::newRow("block 72") << 72001 << 15 << "B: Bombay" << QStringLiteral("\u272B: Taegu");
        QTest::newRow("block 422 via member 440") << 440001 << 4 << "GD" << "RWM";
        QTest::newRow("a block without marks") << 352001 << 0 << "" << "";
    }
    void mintLists()
    {
        QFETCH(int, priceSource);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("S #5000001"));
        n.value("S")->PriceSource = priceSource;
        QStringList items;
        tSelectionSeams seams;
        seams.FillMintEdit = [&](const QStringList &l) { items = l; };
        s.SelectedTreeNode = n.value("S");
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(items.size(), count);
        QCOMPARE(items.value(0), first);
        QCOMPARE(items.value(count - 1), last);
    }

    void mintMarksKeepTheirLetters()
    {
        const QStringList &russian = MintMarkLists[1];
        // Latin and Cyrillic look-alikes must not be confused.
        QCOMPARE(russian[0], QStringLiteral("AM (a)"));
        QCOMPARE(russian[0][0].unicode(), ushort('A'));
        QCOMPARE(russian[12][0].unicode(), ushort(0x041C));   // "М (m)" is Cyrillic
        QCOMPARE(russian[14][0].unicode(), ushort('M'));      // "MM (m)" is Latin
        QCOMPARE(russian[17][0].unicode(), ushort(0x0418));   // Cyrillic I ...
        QCOMPARE(russian[17][1].unicode(), ushort('M'));      // ... then Latin M
        QCOMPARE(MintMarkLists[2][9], QStringLiteral("\u2590\u2584\u258C: London"));
        QCOMPARE(MintMarkLists[2][5], QStringLiteral("\u25C4 \u25BA: Hyderabad"));
        const QList<int> sizes{7, 19, 15, 4, 28};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(MintMarkLists[size_t(i)].size(), sizes[i]);
    }

    void gradeModifiersOnceInFirstOrder()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("S #3001"));
        for (const char *gm : {"", "DCAM", "PL", "dcam", "", "RD", "pl", "DCAM"})
            AddPrice(s, 3001, QString::fromUtf8(gm));
        AddPrice(s, 3002, QStringLiteral("BN"));   // another series
        QStringList items;
        tSelectionSeams seams;
        seams.FillGMEdit = [&](const QStringList &l) { items = l; };
        s.SelectedTreeNode = n.value("S");
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(items, (QStringList{"DCAM", "PL", "RD"}));
    }

    void tabsAndTexts_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("priced");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("pricing");
        QTest::addColumn<bool>("coins");
        QTest::addColumn<QString>("coinsTab");
        QTest::addColumn<QString>("comment");
        QTest::newRow("root offers neither page") << "Entire Collection" << true << 0 << false << false << "Coins"
                                                  << "Comment";
        QTest::newRow("priced series") << "S" << true << 0 << true << true << "Coins" << "Comment";
        QTest::newRow("series without prices") << "S" << false << 0 << true << false << "Coins" << "Comment";
        QTest::newRow("paper money") << "S" << true << 5 << true << true << "Bills" << "Comment (Serial number)";
    }
    void tabsAndTexts()
    {
        QFETCH(QString, node);
        QFETCH(bool, priced);
        QFETCH(int, shape);
        QFETCH(bool, pricing);
        QFETCH(bool, coins);
        QFETCH(QString, coinsTab);
        QFETCH(QString, comment);
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("S #3001"));
        n.value("S")->CoinShape = static_cast<uint8_t>(shape);
        if (priced)
            AddPrice(s, node == QLatin1String("S") ? 3001 : RootCoinType);
        tTabVisibility tabs;
        tabs.Images = tabs.Graphs = true;
        QString gotTab, gotComment;
        bool paperLayout = !shape;
        tSelectionSeams seams;
        seams.SetTabs = [&](const tTabVisibility &t) { tabs = t; };
        seams.SetCoinTexts = [&](const QString &a, const QString &b) {
            gotTab = a;
            gotComment = b;
        };
        seams.LayoutMainForm = [&](bool paper) { paperLayout = paper; };
        s.SelectedTreeNode = n.value(node);
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(tabs.Pricing, pricing);
        QCOMPARE(tabs.Coins, coins);
        QVERIFY(!tabs.Images && !tabs.Graphs);
        QCOMPARE(gotTab, coinsTab);
        QCOMPARE(gotComment, comment);
        QCOMPARE(paperLayout, shape == 5);
    }

    void viewSize_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<float>("m1");
        QTest::addColumn<float>("m2");
        QTest::addColumn<bool>("visible");
        QTest::newRow("round coin needs one measure") << 0 << 19.0f << 0.0f << true;
        QTest::newRow("no measure") << 0 << 0.9f << 20.0f << false;
        QTest::newRow("square uses one measure") << 1 << 20.0f << 0.0f << true;
        QTest::newRow("paper money needs both") << 5 << 156.0f << 0.0f << false;
        QTest::newRow("paper money with both") << 5 << 156.0f << 66.3f << true;
        QTest::newRow("rectangle 7 needs both") << 7 << 30.0f << 0.5f << false;
        QTest::newRow("ellipse with both") << 9 << 30.0f << 1.0f << true;
        QTest::newRow("infinite measure is none") << 0 << std::numeric_limits<float>::infinity() << 0.0f << false;
        QTest::newRow("NaN measure is none") << 0 << std::numeric_limits<float>::quiet_NaN() << 0.0f << false;
        QTest::newRow("infinite second measure") << 7 << 30.0f << std::numeric_limits<float>::infinity() << false;
    }
    void viewSize()
    {
        QFETCH(int, shape);
        QFETCH(float, m1);
        QFETCH(float, m2);
        QFETCH(bool, visible);
        tnodeinfo node;
        node.CoinShape = static_cast<uint8_t>(shape);
        node.Measure1 = m1;
        node.Measure2 = m2;
        QCOMPARE(ViewSizeVisible(node), visible);
    }

    void forexLabel_data()
    {
        QTest::addColumn<int>("link");
        QTest::addColumn<QString>("text");
        QTest::newRow("linked currency") << 1 << "Euro";
        QTest::newRow("index past the list") << 2 << "";
        QTest::newRow("negative index") << -1 << "";
    }
    void forexLabel()
    {
        QFETCH(int, link);
        QFETCH(QString, text);
        tMainState s;
        for (const char *d : {"US Dollar", "Euro"}) {
            auto f = std::make_unique<tForex>();
            f->Description = QString::fromUtf8(d);
            s.ForexList.push_back(std::move(f));
        }
        auto n = BuildTree(s, QStringLiteral("S #455001"));   // block 8
        s.PriceListForexLinks[8] = link;
        QString got = QStringLiteral("unset");
        tSelectionSeams seams;
        seams.SetForexLabel = [&](const QString &t) { got = t; };
        s.SelectedTreeNode = n.value("S");
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(got, text);
    }

    void stepsRunInOrder()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("A\n  S #3001"));
        tnodeinfo *node = n.value("S");
        node->NodeName = QStringLiteral("Fish & Chips");
        node->Obverse = QStringLiteral("~obv.jpg");
        node->Reverse = QStringLiteral("~rev.jpg");
        node->Favorite = true;
        node->Themes = 0x5;
        AddPrice(s, 3001);
        auto coin = std::make_unique<tCoinInfo>();
        s.CurrCoinList.push_back(coin.get());
        s.CoinList.push_back(std::move(coin));
        s.AskingPrice = false;

        QStringList calls;
        tSelectionSeams seams;
        seams.GradeTitle = [&](int, int, int) { return QString(); };
        seams.SetSelectedLabelCaption = [&](const QString &t) { calls << "caption:" + t; };
        seams.FillGradeBox = [&] { calls << "gradebox"; };
        seams.SetWarningLabelPrices = [&](const QString &t) { calls << "warning:" + t; };
        seams.FillMintEdit = [&](const QStringList &) { calls << "mints"; };
        seams.FillGMEdit = [&](const QStringList &) { calls << "gms"; };
        seams.SetViewSizeVisible = [&](bool) { calls << "viewsize"; };
        seams.LayoutMainForm = [&](bool) { calls << "layout"; };
        seams.ShowImage = [&](const QString &pic, int, bool obverse, bool) {
            calls << QStringLiteral("image:%1:%2").arg(pic).arg(obverse);
        };
        seams.SetFavoriteBox = [&](bool f) { calls << QStringLiteral("favorite:%1").arg(f); };
        seams.SetTabs = [&](const tTabVisibility &) { calls << "tabs"; };
        seams.SetThemeBoxes = [&](int32_t t) { calls << QStringLiteral("themes:%1").arg(t); };
        seams.SetForexLabel = [&](const QString &) { calls << "forex"; };
        seams.StatsTabActive = [&] { return true; };
        seams.StartCalcThread = [&](int) { calls << "stats"; };
        seams.SetCoinTexts = [&](const QString &, const QString &) { calls << "cointexts"; };
        seams.SetUpBookList = [&] { calls << "books"; };
        seams.PrepCoinsPage = [&] { calls << "coins"; };
        seams.CoinGridToFirstRow = [&] { calls << "firstrow"; };
        seams.ShowThumbnails = [&] { calls << "thumbs"; };
        seams.ShowCountryCredit = [&] { calls << "credit"; };
        seams.ShowUserSeriesHint = [&] { calls << "hint"; };

        tSeriesTree tree(s);
        tree.MeasureName = [](const QString &, int, bool, bool) { return 0.0; };
        tree.SetLayoutSize(600, 200);
        tree.Rendered = [&] { calls << "render"; };
        s.SelectedTreeNode = node;
        SeriesSelected(s, &tree, seams);

        const QStringList expected{
            "caption:Fish & Chips",
            "gradebox",
            "warning:There are currently no prices defined for\n\"Fish & Chips\"",
            "mints", "gms", "viewsize", "layout", "image:~obv.jpg:1", "image:~rev.jpg:0", "favorite:1", "tabs",
            "themes:5", "forex", "stats", "cointexts", "books", "coins", "firstrow", "thumbs",
            "render", "render",   // MakeTreeNodeVisible, then RenderTree
            "credit", "hint"};
        QCOMPARE(calls, expected);
        QVERIFY(s.AskingPrice);
        // The tree now shows only the path to the series, centred on it.
        QVERIFY(n.value("A")->Expanded);
        QCOMPARE(int(tree.NodePorts.size()), 200 / 32 + 1);
        QVERIFY(tree.RowOf(node) >= 0);
    }

    void laterSelectionSupersedesStatistics()
    {
        tMainState s;
        auto n = BuildTree(s, QStringLiteral("A\nB"));
        QList<int> started;
        tSelectionSeams seams;
        seams.StatsTabActive = [] { return true; };
        seams.StartCalcThread = [&](int serial) { started << serial; };
        s.SelectedTreeNode = n.value("A");
        SeriesSelected(s, nullptr, seams);
        s.SelectedTreeNode = n.value("B");
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(started.size(), 2);
        QVERIFY(!SelectionIsCurrent(s, started[0]));   // A's late totals are dropped
        QVERIFY(SelectionIsCurrent(s, started[1]));

        seams.StatsTabActive = [] { return false; };
        SeriesSelected(s, nullptr, seams);
        QCOMPARE(started.size(), 2);                   // not on the Stats tab: nothing starts
        QVERIFY(!SelectionIsCurrent(s, started[1]));  // but B's own task is superseded
    }
};

QTEST_MAIN(tst_SeriesSelection)
#include "tst_seriesselection.moc"
