#include <QtTest>

#include <QAction>

#include "support/programfixture.h"

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
};

QTEST_MAIN(tst_ProgramWindow)
#include "tst_programwindow.moc"
