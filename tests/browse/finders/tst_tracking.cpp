#include <QtTest>

#include "core/model/currproc.h"
#include "core/program/epicmessage.h"
#include "browse/shell/pageswitch.h"
#include "browse/finders/tracking.h"
#include "support/coinfixture.h"
#include "support/scriptedui.h"
#include "support/treefixture.h"

namespace {

// Two countries with a sub-series each, and a comment line.
const char *const Outline = R"(
Alpha #2000
  Alpha cents #2001
  Alpha dimes #2002
Beta #3000
  Beta cents #3001
Note line #3002
)";

struct tFixture {
    tMainState S;
    QHash<QString, tnodeinfo *> N;
    tFixture() { N = BuildTree(S, QString::fromLatin1(Outline)); }

    tCoinInfo *Coin(const QString &series, int item, bool tracked = false, bool inBin = false)
    {
        return AddEntry(S, N.value(series), item, tracked, inBin);
    }
    // The item numbers of the tracked entries, in CoinList order.
    QList<int> Tracked() const
    {
        QList<int> out;
        for (const auto &c : S.CoinList)
            if (c->User1)
                out << c->Inventory;
        return out;
    }
    // The page steps of a navigation, with the series selection refilling
    // the entries of the selected series as the Coins page does.
    tNavigationSeams Nav(QStringList *steps = nullptr)
    {
        QObject::connect(S.Events.get(), &tStateEvents::SeriesSelected, [this, steps] {
            S.CurrCoinList.clear();
            for (const auto &c : S.CoinList)
                if (c->Folder == S.SelectedTreeNode)
                    S.CurrCoinList.push_back(c.get());
            if (steps)
                *steps << QStringLiteral("SeriesSelected ") + S.SelectedTreeNode->NodeName;
        });
        tNavigationSeams nav;
        nav.ShowPage = [steps](int page) {
            if (steps)
                *steps << QStringLiteral("ShowPage %1").arg(page);
        };
        nav.SelectCoin = [this](tCoinInfo *coin) {
            const auto it = std::find(S.CurrCoinList.begin(), S.CurrCoinList.end(), coin);
            S.CoinGridRow = it == S.CurrCoinList.end() ? -1 : static_cast<int>(it - S.CurrCoinList.begin());
        };
        return nav;
    }
};

} // namespace

class tst_Tracking : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void trackingCommandsMarkTheSubtree_data()
    {
        QTest::addColumn<QString>("series");
        QTest::addColumn<int>("command");  // 0 track, 1 untrack, 2 track the bin
        QTest::addColumn<QList<int>>("tracked");
        QTest::newRow("track a country with its sub-series") << "Alpha" << 0 << QList<int>{1, 2, 3, 5};
        QTest::newRow("track one series") << "Alpha dimes" << 0 << QList<int>{2, 3, 5};
        QTest::newRow("untrack on the root clears every mark") << "Entire Collection" << 1 << QList<int>{};
        QTest::newRow("untrack a subtree only") << "Beta" << 1 << QList<int>{3};
        QTest::newRow("the bin tracks and never clears") << "Entire Collection" << 2 << QList<int>{3, 4, 5};
    }
    void trackingCommandsMarkTheSubtree()
    {
        QFETCH(QString, series);
        QFETCH(int, command);
        QFETCH(QList<int>, tracked);
        tFixture f;
        f.Coin("Alpha cents", 1);
        f.Coin("Alpha dimes", 2);
        f.Coin("Alpha", 3, true);
        f.Coin("Beta cents", 4, false, true);
        f.Coin("Beta cents", 5, true, false);
        tnodeinfo *top = f.N.value(series);
        const int changed = command == 2 ? TrackBinCoinsInSeries(f.S, top) : SetTrackInSeries(f.S, top, command == 0);
        QCOMPARE(f.Tracked(), tracked);
        // The marks are stored with the collection: a change must be saved.
        QCOMPARE(f.S.DataModified, changed > 0);
    }

    void nextTrackedCoinWalksTheTreeWithWrap_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("current");  // item on the grid's row, 0 none
        QTest::addColumn<QList<int>>("trackedItems");
        QTest::addColumn<int>("found");    // 0: none
        QTest::newRow("later entry of the selected series") << "Alpha cents" << 1 << QList<int>{1, 2} << 2;
        QTest::newRow("next series in tree order") << "Alpha cents" << 2 << QList<int>{1, 2, 4} << 4;
        QTest::newRow("last of the last series wraps to the first") << "Beta cents" << 4 << QList<int>{1, 4} << 1;
        QTest::newRow("the only tracked entry, selected, again") << "Beta cents" << 4 << QList<int>{4} << 4;
        QTest::newRow("no row: the selected series from its start") << "Alpha cents" << 0 << QList<int>{2} << 2;
        QTest::newRow("a parent series' own entries") << "Alpha" << 0 << QList<int>{3, 1} << 3;
        QTest::newRow("nothing tracked") << "Alpha" << 0 << QList<int>{} << 0;
    }
    void nextTrackedCoinWalksTheTreeWithWrap()
    {
        QFETCH(QString, selected);
        QFETCH(int, current);
        QFETCH(QList<int>, trackedItems);
        QFETCH(int, found);
        tFixture f;
        std::map<int, tCoinInfo *> byItem;
        byItem[1] = f.Coin("Alpha cents", 1);
        byItem[2] = f.Coin("Alpha cents", 2);
        byItem[3] = f.Coin("Alpha", 3);
        byItem[4] = f.Coin("Beta cents", 4);
        for (int i : trackedItems)
            byItem[i]->User1 = true;
        f.S.SelectedTreeNode = f.N.value(selected);
        for (const auto &c : f.S.CoinList)
            if (c->Folder == f.S.SelectedTreeNode)
                f.S.CurrCoinList.push_back(c.get());
        const tTrackedHit hit = FindNextTrackedCoin(f.S, current ? byItem[current] : nullptr);
        QCOMPARE(hit.Coin ? hit.Coin->Inventory : 0, found);
        if (hit.Coin)
            QCOMPARE(hit.Series, hit.Coin->Folder);
    }

    void nextTrackedCoinSelectsItOrSaysThereIsNone()
    {
        tFixture f;
        tScriptedUi ui;
        f.Coin("Alpha cents", 1);
        tCoinInfo *beta = f.Coin("Beta cents", 7, true);
        QStringList steps;
        const tNavigationSeams nav = f.Nav(&steps);
        Findnexttrackedcoin1Click(f.S, nullptr, nav);
        QCOMPARE(f.S.SelectedTreeNode, f.N["Beta cents"]);
        QCOMPARE(steps, (QStringList{"SeriesSelected Beta cents", QStringLiteral("ShowPage %1").arg(PageCoins)}));
        QCOMPARE(f.S.CurrCoinList.at(static_cast<size_t>(f.S.CoinGridRow)), beta);

        beta->User1 = false;
        ui.answer(QStringLiteral("OK"));
        Findnexttrackedcoin1Click(f.S, beta, nav);
        QCOMPARE(ui.Texts(), QStringList{NoTrackedCoinsText});
    }

    void itemNeighbours_data()
    {
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("next");
        QTest::addColumn<int>("found");  // the entry's place in CoinList, -1 none
        // Items in CoinList order: 5, 3, 9, 3, 1.
        QTest::newRow("after loading, previous does nothing") << 0 << false << -1;
        QTest::newRow("after loading, next goes to the smallest") << 0 << true << 4;
        QTest::newRow("next from 1 reaches the first of two 3s") << 1 << true << 1;
        QTest::newRow("next from 3 skips the other 3") << 3 << true << 0;
        QTest::newRow("previous from 5 reaches the first 3") << 5 << false << 1;
        QTest::newRow("past the highest") << 9 << true << -1;
        QTest::newRow("below the lowest") << 1 << false << -1;
    }
    void itemNeighbours()
    {
        QFETCH(int, last);
        QFETCH(bool, next);
        QFETCH(int, found);
        tFixture f;
        for (int item : {5, 3, 9, 3, 1})
            f.Coin("Alpha cents", item);
        tCoinInfo *c = ItemNeighbour(f.S, last, next);
        QCOMPARE(c == nullptr, found < 0);
        if (c)
            QCOMPARE(c, f.S.CoinList.at(static_cast<size_t>(found)).get());
    }

    void itemNavigationShowsTheEntryAndRemembersIt()
    {
        tFixture f;
        f.Coin("Alpha cents", 2);
        tCoinInfo *beta = f.Coin("Beta cents", 4);
        f.Coin("Beta cents", 3);
        QStringList steps;
        tNavigationSeams nav = f.Nav(&steps);
        int row = -2;
        nav.SetCoinGridRow = [&row](int r) { row = r; };
        f.S.LastItemNumberAccessed = 3;
        PreviousItem1Click(f.S, true, nav);
        QCOMPARE(f.S.LastItemNumberAccessed, 4);
        QCOMPARE(f.S.SelectedTreeNode, f.N["Beta cents"]);
        QCOMPARE(row, 0);
        QCOMPARE(f.S.CurrCoinList.front(), beta);
        QVERIFY(steps.contains(QStringLiteral("ShowPage %1").arg(PageCoins)));

        steps.clear();
        PreviousItem1Click(f.S, true, nav);  // 4 is the highest
        QVERIFY(steps.isEmpty());
        QCOMPARE(f.S.LastItemNumberAccessed, 4);
    }

    void itemFinder()
    {
        tFixture f;
        QCOMPARE(ItemRangeText(ItemNumberRange(f.S)), QStringLiteral("(Current collection is empty)"));
        f.Coin("Alpha cents", 12);
        tCoinInfo *first = f.Coin("Beta cents", 7);
        f.Coin("Beta cents", 7);
        f.Coin("Alpha", 30);
        QCOMPARE(ItemRangeText(ItemNumberRange(f.S)), QStringLiteral("(Range: 7 to 30)"));
        QCOMPARE(FindItemNumber(f.S, 7), first);
        QCOMPARE(FindItemNumber(f.S, 8), nullptr);
        QCOMPARE(NoSuchItemText(8), QStringLiteral("There is no item #8"));
    }

    void moveQuestionTexts_data()
    {
        QTest::addColumn<int>("coins");
        QTest::addColumn<int>("series");
        QTest::addColumn<QString>("first");
        QTest::newRow("one entry") << 1 << 1 << "There is 1 coin in 1 series that is currently tracked and will be moved.";
        QTest::newRow("several") << 12 << 3 << "There are 12 coins in 3 series that are currently tracked and will be moved.";
    }
    void moveQuestionTexts()
    {
        QFETCH(int, coins);
        QFETCH(int, series);
        QFETCH(QString, first);
        const QString text = MoveTrackedQuestion(coins, series);
        QVERIFY2(text.startsWith(first + QStringLiteral("\r\rPlease Note:\rCare should be used")), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("for the coin.\rAre you sure?")));
    }

    void moveTrackedCoinsAsksThenMoves_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("untrack");
        QTest::addColumn<QList<int>>("moved");    // items now in Beta cents
        QTest::addColumn<QList<int>>("tracked");
        QTest::newRow("yes, untracking the moved ones") << "Yes" << true << QList<int>{1, 3, 4} << QList<int>{4};
        QTest::newRow("yes, keeping the marks") << "Yes" << false << QList<int>{1, 3, 4} << QList<int>{1, 3, 4};
        QTest::newRow("no moves nothing") << "No" << true << QList<int>{4} << QList<int>{1, 3, 4};
    }
    void moveTrackedCoinsAsksThenMoves()
    {
        QFETCH(QString, answer);
        QFETCH(bool, untrack);
        QFETCH(QList<int>, moved);
        QFETCH(QList<int>, tracked);
        tFixture f;
        tScriptedUi ui;
        f.Coin("Alpha cents", 1, true);
        f.Coin("Alpha cents", 2);
        f.Coin("Alpha dimes", 3, true);
        f.Coin("Beta cents", 4, true);  // already there: neither counted nor moved
        f.S.SelectedTreeNode = f.N["Beta cents"];
        ui.answer(answer, 0, untrack);
        Movetracked1Click(f.S, f.Nav());
        QCOMPARE(ui.Messages.size(), size_t(1));
        QVERIFY(ui.Messages[0].Text.startsWith(QStringLiteral("There are 2 coins in 2 series that are")));
        QCOMPARE(ui.Messages[0].AskText, UntrackAfterMoveText);
        QVERIFY(ui.Messages[0].AskDefault);
        QList<int> inBeta;
        for (const auto &c : f.S.CoinList)
            if (c->CoinType == 3001) {
                QCOMPARE(c->Folder, f.N["Beta cents"]);
                inBeta << c->Inventory;
            }
        QCOMPARE(inBeta, moved);
        QCOMPARE(f.Tracked(), tracked);
        QCOMPARE(f.S.DataModified, answer == QStringLiteral("Yes"));
        if (answer == QStringLiteral("Yes")) {
            QCOMPARE(f.N["Beta cents"]->EntryCount, 3);
            QCOMPARE(f.N["Alpha cents"]->EntryCount, 1);
        }
    }

    void moveTrackedCoinsRefusesNowhereAndNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("anyTracked");
        QTest::addColumn<QString>("notice");
        QTest::newRow("nothing tracked") << "Beta cents" << false << "There are no coins currently marked as \"Tracked\".";
        QTest::newRow("the root") << "Entire Collection" << true << "Coins can't be moved to the top of the tree.";
        QTest::newRow("a comment line") << "Note line" << true << "The selected series is just a comment";
    }
    void moveTrackedCoinsRefusesNowhereAndNothing()
    {
        QFETCH(QString, target);
        QFETCH(bool, anyTracked);
        QFETCH(QString, notice);
        tFixture f;
        tScriptedUi ui;
        f.N["Note line"]->NodeMode = NodeModeComment;
        tCoinInfo *c = f.Coin("Alpha cents", 1, anyTracked);
        f.S.SelectedTreeNode = f.N.value(target);
        ui.answer(QStringLiteral("OK"));
        QCOMPARE(Movetracked1Click(f.S, f.Nav()), 0);
        QCOMPARE(ui.Messages.size(), size_t(1));
        QVERIFY2(ui.Messages[0].Text.startsWith(notice), qPrintable(ui.Messages[0].Text));
        QCOMPARE(c->Folder, f.N["Alpha cents"]);
        QVERIFY(!f.S.DataModified);
    }

    // An error report names the command that was running: each tracking
    // command holds its block number while it works.
    void commandsNameTheirBlock()
    {
        tFixture f;
        f.Coin("Alpha cents", 1, false, true);
        f.Coin("Beta cents", 2, true);
        const int before = CurrProc;
        int seen = 0;
        QObject::connect(f.S.Events.get(), &tStateEvents::SetMainCaption, [&seen] { seen = CurrProc; });
        SetTrackInSeries(f.S, f.N["Alpha"], true);
        QCOMPARE(seen, 29200);
        f.Coin("Alpha dimes", 3, false, true);
        TrackBinCoinsInSeries(f.S, f.N["Alpha"]);
        QCOMPARE(seen, 29100);
        tScriptedUi ui;
        ui.answer(QStringLiteral("Yes"), 0, true);
        f.S.SelectedTreeNode = f.N["Alpha dimes"];
        Movetracked1Click(f.S, f.Nav());
        QCOMPARE(seen, 20600);
        QCOMPARE(CurrProc, before);
    }
};

QTEST_MAIN(tst_Tracking)
#include "tst_tracking.moc"
