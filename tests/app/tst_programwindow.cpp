#include <QtTest>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QTabBar>
#include <QTabWidget>

#include "browse/shell/pageswitch.h"
#include "browse/shell/ui/mainform.h"
#include "support/programfixture.h"
#include "support/programsteps.h"

// The program's window as main() builds it: the first steps a collector
// takes after starting it.
class tst_ProgramWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstStartOffersTheWelcomeWindow()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        QCOMPARE(MainForm, &form);
        program.Start();
        QCOMPARE(program.Calls.value(0), QStringLiteral("ShowWelcomeWindow"));
        QVERIFY(!program.State().CountryList.empty());
    }

    // A screen reader opens the Reports page's Preview tab with the tab's
    // "press" action, as a click would.
    void reportsPreviewTabAnswersPress()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));  // File > New
        ClickTab(form, PageReports);
        QTabWidget *tabs = form.ReportTabControl;
        QVERIFY(tabs);
        QTabBar *bar = tabs->tabBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(tabs->currentWidget(), form.DescriptionTab);
        QAccessibleInterface *barAccess = QAccessible::queryAccessibleInterface(bar);
        QVERIFY(barAccess);
        QAccessibleInterface *preview = nullptr;
        for (int i = 0; i < barAccess->childCount(); ++i)
            if (QAccessibleInterface *c = barAccess->child(i); c && c->text(QAccessible::Name) == QLatin1String("Preview"))
                preview = c;
        QVERIFY(preview);
        QAccessibleActionInterface *actions = preview->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        QCOMPARE(tabs->currentWidget(), form.PreviewTab);
    }
};

QTEST_MAIN(tst_ProgramWindow)
#include "tst_programwindow.moc"
