#include <QtTest>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QPushButton>
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

    // A screen reader opens the Reports page's Preview pane with the
    // "Preview" corner button's "press" action, as a click would; the
    // pane's own tab headers are hidden behind the corner buttons.
    void reportsPreviewTabAnswersPress()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger(QStringLiteral("MenuItem17"));  // File > New
        ClickTab(form, PageReports);
        QTabWidget *tabs = form.ReportTabControl;
        QVERIFY(tabs);
        QVERIFY(!tabs->tabBar()->isVisible());
        QCOMPARE(tabs->currentWidget(), form.DescriptionTab);
        auto *button = form.TabReports->findChild<QPushButton *>(QStringLiteral("CornerButton2"));
        QVERIFY(button && button->isVisible());
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(button);
        QVERIFY(access);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("Preview"));
        QAccessibleActionInterface *actions = access->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
        // The press is an animated click: it lands a moment later.
        QTRY_COMPARE(tabs->currentWidget(), form.PreviewTab);
        QCOMPARE(button->property("StyleLookup").toString(), QStringLiteral("CornerButtonStyleDown"));
    }
};

QTEST_MAIN(tst_ProgramWindow)
#include "tst_programwindow.moc"
