#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusTipEvent>
#include <QTabWidget>

#include "core/model/seriestree.h"
#include "browse/shell/pageswitch.h"
#include "browse/tree/ui/seriestreeview.h"
#include "browse/shell/ui/waitingcommands.h"
#include "support/programfixture.h"

// The tree commands of the running program: Expand all and Collapse all in
// the Display menu, and the series menu a right press on a row opens.
namespace {

int CountNodes(const tnodeinfo *root, bool withChildrenOnly)
{
    int n = 0;
    ForEachNode(const_cast<tnodeinfo *>(root), [&](tnodeinfo *node) {
        if (!withChildrenOnly || !node->ChildNodes.empty())
            ++n;
    });
    return n;
}

// A started program with a new collection (the catalogue's first country).
struct tTree {
    tProgramFixture Program;
    TMainForm *Form = nullptr;
    tTree()
    {
        Form = &Program.Open();
        Program.Start();
        Program.Trigger(QStringLiteral("MenuItem17"));
    }
    tMainState &State() { return Program.State(); }
    tSeriesTree &Tree() { return Form->SeriesTree->Tree(); }
    // Presses a mouse button on the row showing node.
    void Press(const tnodeinfo *node, Qt::MouseButton button)
    {
        Tree().RenderTree();
        const int row = Tree().RowOf(node);
        QVERIFY(row >= 0);
        QWidget *rows = Form->SeriesTree->TreeLayout();
        const QPoint at(rows->width() / 2, row * 32 + 16);
        QTest::mousePress(rows, button, Qt::NoModifier, at);
        QTest::mouseRelease(rows, button, Qt::NoModifier, at);
    }
};

tnodeinfo *FirstWithChildren(tnodeinfo *root)
{
    for (const auto &child : root->ChildNodes)
        if (!child->ChildNodes.empty())
            return child.get();
    return nullptr;
}

} // namespace

class tst_TreeMenus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void expandAllAndCollapseAllActOnTheSelectedSubtree()
    {
        tTree t;
        tMainState &s = t.State();
        tnodeinfo *root = s.EntireCollection.get();
        tnodeinfo *country = FirstWithChildren(root);
        QVERIFY(country);

        s.SelectedTreeNode = root;
        t.Program.Trigger(QStringLiteral("Expandall1"));
        QCOMPARE(CountNodes(root, true), [&] {
            int expanded = 0;
            ForEachNode(root, [&](tnodeinfo *n) { expanded += n->Expanded ? 1 : 0; });
            return expanded;
        }());
        QCOMPARE(static_cast<int>(s.VisibleNodeList.size()), CountNodes(root, false));

        // Collapsing one country leaves the others as they were.
        s.SelectedTreeNode = country;
        t.Program.Trigger(QStringLiteral("Collapseall1"));
        ForEachNode(country, [](tnodeinfo *n) { QVERIFY(!n->Expanded); });
        QVERIFY(root->Expanded);
        QCOMPARE(static_cast<int>(s.VisibleNodeList.size()),
                 CountNodes(root, false) - CountNodes(country, false) + 1);

        s.SelectedTreeNode = root;
        t.Program.Trigger(QStringLiteral("Collapseall1"));
        QCOMPARE(static_cast<int>(s.VisibleNodeList.size()), 1);
    }

    void rightPressOpensTheSeriesMenu()
    {
        tTree t;
        tMainState &s = t.State();
        tnodeinfo *country = FirstWithChildren(s.EntireCollection.get());
        QVERIFY(country);
        t.Press(country, Qt::RightButton);
        QCOMPARE(s.SelectedTreeNode, country);
        QMenu *menu = t.Form->SeriesTree->RightMenu;
        QVERIFY(menu && menu->isVisible());
        menu->hide();
        QAction *update = t.Program.Action(QStringLiteral("UpdateSeries1"));
        QCOMPARE(update->text(), QStringLiteral("Update this series"));
        QVERIFY(update->isEnabled());
        // The commands of units still to come are there, greyed out; the
        // series editing commands are live.
        QAction *waiting = nullptr;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator())
                continue;
            const bool isWaiting = FindWaiting(WaitingCommands(), a->objectName()) != nullptr;
            QVERIFY2(a->isEnabled() != isWaiting, qPrintable(a->objectName()));
            if (isWaiting) {
                QCOMPARE(a->statusTip(), NotAvailableYet);
                waiting = a;
            }
        }
        for (const char *name : {"Properties1", "Addanewseries1", "Sortsubseriesalphabetically1", "Emptythisfolder1"})
            QVERIFY2(menu->findChild<QAction *>(QString::fromLatin1(name))->isEnabled(), name);
        if (!waiting)
            return;
        // The tip of a waiting command reaches the status line, and leaving
        // it clears only the tip.
        waiting->showStatusText(t.Form);
        QCOMPARE(t.Form->StatusLabel->text(), NotAvailableYet);
        QStatusTipEvent leave{QString()};
        QCoreApplication::sendEvent(t.Form, &leave);
        QVERIFY(t.Form->StatusLabel->text().isEmpty());
        t.Form->StatusLabel->setText(QStringLiteral("Checking prices"));
        QCoreApplication::sendEvent(t.Form, &leave);
        QCOMPARE(t.Form->StatusLabel->text(), QStringLiteral("Checking prices"));
    }

    void updateThisSeriesBringsBackCatalogueSeries_data()
    {
        QTest::addColumn<bool>("onRoot");
        QTest::newRow("a country") << false;
        QTest::newRow("the whole collection") << true;
    }
    void updateThisSeriesBringsBackCatalogueSeries()
    {
        QFETCH(bool, onRoot);
        tTree t;
        tMainState &s = t.State();
        tnodeinfo *root = s.EntireCollection.get();
        tnodeinfo *country = FirstWithChildren(root);
        QVERIFY(country);
        const int before = CountNodes(root, false);
        const QString goneName = country->ChildNodes.back()->NodeName;
        s.DeleteSeries(country->ChildNodes.back().get());
        QCOMPARE(CountNodes(root, false), before - 1);
        s.DataModified = false;

        t.Press(onRoot ? root : country, Qt::RightButton);
        t.Form->SeriesTree->RightMenu->hide();
        t.Program.Trigger(QStringLiteral("UpdateSeries1"));
        QCOMPARE(CountNodes(root, false), before);
        bool back = false;
        for (const auto &child : country->ChildNodes)
            back = back || child->NodeName == goneName;
        QVERIFY(back);
        QVERIFY(s.DataModified);
        QVERIFY(t.Form->windowTitle().endsWith(QStringLiteral("(Modified)")));
        QVERIFY(t.Form->StatusLabel->text().isEmpty());
    }

    void readingACollectionForgetsTheSeriesClickedBefore()
    {
        // The recently clicked series are offered as price sources; after a
        // read they would point into the freed tree.
        tTree t;
        tMainState &s = t.State();
        const QString file = t.Program.Home() + QStringLiteral("/Clicked.OVD");
        t.Program.Ui.pick({file});
        t.Program.Trigger(QStringLiteral("SaveCoinData1"));
        ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
            if (n->HasPrices && s.ClickTrackList.size() < 3) {
                s.SelectedTreeNode = n;
                Q_EMIT s.Events->SeriesSelected();
            }
        });
        QVERIFY(!s.ClickTrackList.empty());
        QVERIFY(t.Form->Seams.LoadDataFromFile(file, false));
        for (const tnodeinfo *clicked : s.ClickTrackList) {
            bool inTree = false;
            ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) { inTree = inTree || n == clicked; });
            QVERIFY(inTree);
        }
    }
};

QTEST_MAIN(tst_TreeMenus)
#include "tst_treemenus.moc"
