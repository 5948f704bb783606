#include "support/programsteps.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include "core/collection/ui/filetoopenform.h"
#include "browse/shell/pageswitch.h"
#include "browse/tree/treeview.h"
#include "browse/tree/ui/seriestreeview.h"
#include "support/programfixture.h"

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

void ClickTab(TMainForm &form, int page)
{
    QTabBar *bar = form.PageTabs->tabBar();
    QVERIFY(form.PageTabs->isTabVisible(page));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    Settle();
    QCOMPARE(form.PageTabs->currentIndex(), page);
}

void StartWithNewCollection(tProgramFixture &program)
{
    TMainForm &form = program.Open();
    form.Seams.ShowWelcomeWindow = [&program, &form] {
        tFileToOpenHooks hooks;
        hooks.ShowSeriesPage = [&form] { form.PageTabs->setCurrentIndex(PageSeries); };
        hooks.EnableMainPages = [&form] { form.PageTabs->setEnabled(true); };
        TFileToOpenForm welcome(program.State(), hooks, &form);
        welcome.RadioNewFile->click();
        welcome.OKBtn->click();
        const bool chosen = welcome.result() == QDialog::Accepted;
        welcome.close();
        return chosen;
    };
    program.Start();
    QVERIFY(form.PageTabs->isEnabled());
    QVERIFY(program.State().EntireCollection->ChildNodes.size() > 0);
}

int TreeRow(TMainForm &form, const tnodeinfo *node)
{
    const auto &ports = form.SeriesTree->Tree().NodePorts;
    for (int r = 0; r < static_cast<int>(ports.size()); ++r)
        if (ports[static_cast<size_t>(r)].Visible && ports[static_cast<size_t>(r)].NodeInfo == node)
            return r;
    return -1;
}

void ClickShownSeries(TMainForm &form, tnodeinfo *node, bool twice)
{
    const int row = TreeRow(form, node);
    QVERIFY(row >= 0);
    const tNodePort &port = form.SeriesTree->Tree().NodePorts[static_cast<size_t>(row)];
    const QPoint at = form.SeriesTree->TreeLayout()->mapTo(
        &form, QPoint(port.NameX + port.NameWidth / 2, port.Y + TreeRowHeight / 2));
    if (twice)
        QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, at);
    else
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
    Settle();
    QCOMPARE(form.State.SelectedTreeNode, node);
}

void ClickSeries(TMainForm &form, tnodeinfo *node, bool twice)
{
    if (form.PageTabs->currentIndex() != PageSeries)
        ClickTab(form, PageSeries);
    form.SeriesTree->Tree().MakeTreeNodeVisible(node);
    Settle();
    ClickShownSeries(form, node, twice);
}
