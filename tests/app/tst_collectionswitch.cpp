#include <QtTest>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/files/collectionfile.h"
#include "core/collection/ui/filetoopenform.h"
#include "core/collection/ui/populateform.h"
#include "browse/series/ui/seriescommands.h"
#include "browse/series/ui/themeform.h"
#include "browse/shell/ui/mainform.h"
#include "support/programfixture.h"

// Tool windows that hold data of the open collection, left open while File >
// New or File > Open replaces it: none of them writes the old collection's
// data into the new one.
namespace {

struct tProgram {
    tProgramFixture Program{tScriptedUi::tUnscripted::Fail};
    TMainForm *Form = nullptr;
    tProgram()
    {
        Form = &Program.Open();
        Program.Start();
        Program.Trigger(QStringLiteral("MenuItem17"));
        State().DataModified = false;
    }
    tMainState &State() { return Program.State(); }
    // The collection's windows showing besides the main window.
    QList<QWidget *> ToolWindows() const
    {
        QList<QWidget *> shown;
        for (QWidget *w : Form->findChildren<QWidget *>())
            if (w->isWindow() && w->isVisible() && w != Form)
                shown << w;
        return shown;
    }
    // File > New, the collection unchanged (no question).
    void NewCollection()
    {
        State().DataModified = false;
        Program.Trigger(QStringLiteral("MenuItem17"));
        QCoreApplication::processEvents();
    }
    // File > Open of path through "Browse for an existing file" in the open
    // window, the collection unchanged (no question).
    bool OpenCollection(const QString &path)
    {
        State().DataModified = false;
        Program.Ui.pick({path});
        bool drove = false;
        QTimer::singleShot(0, [&] {
            auto *form = qobject_cast<TFileToOpenForm *>(QApplication::activeModalWidget());
            if (!form)
                return;
            drove = true;
            form->RadioBrowseExisting->setChecked(true);
            QTest::mouseClick(form->OKBtn, Qt::LeftButton);
            if (form->isVisible())
                form->reject();
        });
        Program.Trigger(QStringLiteral("Menu_open"));
        QCoreApplication::processEvents();
        return drove;
    }
    QLineEdit *ThemeEdit(int theme)
    {
        TThemeForm *form = Form->SeriesCommands->ThemeForm;
        return form ? form->findChild<QLineEdit *>(QStringLiteral("ThemeEdit%1").arg(theme)) : nullptr;
    }
};

} // namespace

class tst_CollectionSwitch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Theme setup with a name typed, then another collection: "Done" can no
    // longer write the typed name (or the old names) into it.
    void themeSetupLeftOpenAcrossNewAndOpen()
    {
        tProgram p;
        const QString fresh = p.State().ThemeNames[20];
        p.State().ThemeNames[20] = QStringLiteral("Ships");
        const QString file = p.Program.Home() + QStringLiteral("/Themes.OVD");
        SaveCollectionFile(p.State(), file);

        for (const bool open : {false, true}) {
            p.Program.Trigger(QStringLiteral("MenuItem1"));
            QLineEdit *edit = p.ThemeEdit(20);
            QVERIFY(edit);
            edit->setText(QStringLiteral("Typed in the old collection"));
            if (open)
                QVERIFY(p.OpenCollection(file));
            else
                p.NewCollection();
            QTRY_VERIFY(!p.Form->SeriesCommands->ThemeForm);
            QCOMPARE(p.State().ThemeNames[20], open ? QStringLiteral("Ships") : fresh);
            QVERIFY(!p.State().DataModified);
        }
    }

    void everyCollectionWindowClosesOnNew_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("user fields") << "Userfields1";
        QTest::newRow("grade scales") << "UserGrades1";
        QTest::newRow("image repository") << "Repository1";
        QTest::newRow("special series images") << "QuarterForm1";
        QTest::newRow("countries explorer") << "Addcountries1";
        QTest::newRow("populate") << "";
    }
    void everyCollectionWindowClosesOnNew()
    {
        QFETCH(QString, command);
        tProgram p;
        if (command.isEmpty())
            TPopulateForm::Open(p.State(), p.Form);
        else
            p.Program.Trigger(command);
        QCoreApplication::processEvents();
        QCOMPARE(p.ToolWindows().size(), 1);
        p.NewCollection();
        QTRY_COMPARE(p.ToolWindows().size(), 0);
        QVERIFY(!p.State().DataModified);
    }
};

QTEST_MAIN(tst_CollectionSwitch)
#include "tst_collectionswitch.moc"
