#include <QtTest>

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QSizeGrip>
#include <QTimer>

#include "core/program/errorreport.h"
#include "core/collection/ui/populateform.h"
#include "browse/images/ui/repositoryform.h"
#include "browse/shell/ui/shortcutform.h"
#include "browse/shell/ui/toolwindowhoming.h"
#include "support/programfixture.h"

// The running program's one-second housekeeping: tool windows glide back
// onto the screen, "Bring windows forward", the size grip, the status-line
// hints and the automatic save.
class tst_HousekeepingWindow : public QObject {
    Q_OBJECT
private:
    static QSize Screen() { return QGuiApplication::primaryScreen()->geometry().size(); }
    // Runs a started glide to its end, as half a second would.
    static void FinishGlides(TToolWindowHoming &homing)
    {
        for (QPropertyAnimation *a : {homing.FloatAnimationXX, homing.FloatAnimationYY})
            if (a->state() == QAbstractAnimation::Running)
                a->setCurrentTime(a->duration());
    }

private Q_SLOTS:
    void toolWindowOffTheScreenGlidesBack()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QPointer<TPopulateForm> populate = TPopulateForm::Open(form.State, &form);
        const int width = populate->frameGeometry().width();
        populate->move(Screen().width() - width + 50, 40);  // 50 beyond the right edge

        // Not while the error window is open.
        ErrorInUse = true;
        program.Tick();
        ErrorInUse = false;
        QVERIFY(!form.Homing->GlideRunning());

        program.Tick();
        QVERIFY(form.Homing->GlideRunning());
        QCOMPARE(form.Homing->FloatAnimationXX->endValue().toDouble(), double(Screen().width() - width));
        QCOMPARE(form.Homing->FloatAnimationYY->state(), QAbstractAnimation::Stopped);
        FinishGlides(*form.Homing);
        QCOMPARE(populate->frameGeometry().right() + 1, Screen().width());
        QCOMPARE(populate->y(), 40);
        // The animation is the main window's again, lent to no one.
        QCOMPARE(form.Homing->FloatAnimationXX->parent(), &form);
        QVERIFY(!form.Homing->FloatAnimationXX->targetObject());
        program.Tick();
        QVERIFY(!form.Homing->GlideRunning());  // on the screen now: nothing to do
        populate->close();
    }

    void menuShortcutsWindowOpenedFromItsMenuGlidesBack()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto *item = form.findChild<QAction *>(QStringLiteral("MenuShortcuts1"));
        QVERIFY(item);
        item->trigger();
        QVERIFY(form.ShortcutForm);
        QTRY_VERIFY(form.ShortcutForm->isVisible());
        form.ShortcutForm->move(-300, 40);
        program.Tick();
        QVERIFY(form.Homing->GlideRunning());
        FinishGlides(*form.Homing);
        QCOMPARE(form.ShortcutForm->frameGeometry().left(), 0);
        form.ShortcutForm->close();
    }

    void windowClosingMidGlideLeavesTheAnimationsUsable()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QPointer<TPopulateForm> populate = TPopulateForm::Open(form.State, &form);
        populate->move(-200, -100);
        program.Tick();
        QVERIFY(form.Homing->GlideRunning());
        populate->close();  // frees itself
        QTRY_VERIFY(populate.isNull());
        QVERIFY(!form.Homing->GlideRunning());
        QVERIFY(!form.Homing->FloatAnimationXX->targetObject());
        QVERIFY(!form.Homing->FloatAnimationYY->targetObject());
        QVERIFY(!form.Homing->GlidingWindow());

        // A later window glides with the same animations.
        populate = TPopulateForm::Open(form.State, &form);
        populate->move(10, -30);
        program.Tick();
        FinishGlides(*form.Homing);
        QCOMPARE(populate->frameGeometry().top(), 0);
        populate->close();
    }

    // The Image Repository window glides back onto the screen like every
    // tool window.
    void imageRepositoryGlidesBack()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        program.Trigger("Repository1");
        QPointer<TRepositoryForm> window = form.RepositoryForm;
        QVERIFY(window && window->isVisible());
        window->move(-250, 30);
        program.Tick();
        QVERIFY(form.Homing->GlideRunning());
        FinishGlides(*form.Homing);
        QCOMPARE(window->frameGeometry().left(), 0);
        window->close();
    }

    // "Special Series Images" and "Image Repository" centre their window
    // over the main window on every request, also when it is open already.
    void menuRequestsCentreTheWindow_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("window");
        QTest::newRow("special series") << "QuarterForm1" << "TQuarterForm";
        QTest::newRow("image repository") << "Repository1" << "TRepositoryForm";
    }
    void menuRequestsCentreTheWindow()
    {
        QFETCH(QString, action);
        QFETCH(QString, window);
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto opened = [&]() -> QWidget * {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->inherits(window.toLatin1().constData()))
                    return w;
            return nullptr;
        };
        auto centred = [&form](const QWidget *w) {
            const QRect m = form.geometry();
            return QPoint(m.left() + (m.width() - w->width()) / 2, m.top() + (m.height() - w->height()) / 2);
        };
        program.Trigger(action);
        QWidget *w = opened();
        QVERIFY(w);
        QCOMPARE(w->pos(), centred(w));
        w->move(w->pos() + QPoint(137, 61));
        program.Trigger(action);
        QCOMPARE(opened(), w);  // the same window, once
        QCOMPARE(w->pos(), centred(w));
        w->close();
    }

    // The long form of a hint reaches the status line from the price
    // buttons of the Pricing page and from controls of tool windows.
    void hintsReachTheStatusLineFromEveryWindow()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto hover = [](QWidget *w) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QCoreApplication::sendEvent(w, &enter);
        };
        auto *add = form.findChild<QPushButton *>(QStringLiteral("AddPriceBtn"));
        QVERIFY(add);
        hover(add);
        QCOMPARE(form.StatusLabel->text(), QStringLiteral("Click to add a new column to this price list"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(add, &leave);
        QCOMPARE(form.StatusLabel->text(), QString());

        program.Trigger("Repository1");
        QVERIFY(form.RepositoryForm);
        auto *button = form.RepositoryForm->OKButton;
        button->setStatusTip(QStringLiteral("OK|Keeps the folder and stores the pictures inside it relative to it"));
        hover(button);
        QCOMPARE(form.StatusLabel->text(),
                 QStringLiteral("Keeps the folder and stores the pictures inside it relative to it"));
        form.RepositoryForm->close();
    }

    void pullToFrontActivatesTheOpenToolWindows()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QPointer<TPopulateForm> populate = TPopulateForm::Open(form.State, &form);
        form.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        QAction *pull = program.Action("PullToFront1");
        QCOMPARE(pull->shortcut(), QKeySequence(Qt::Key_F12));
        program.Trigger("PullToFront1");
        QTRY_COMPARE(QApplication::activeWindow(), populate.data());
        populate->close();
    }

    void sizeGripShowsOnlyForANormalWindow()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        auto *grip = form.findChild<QSizeGrip *>(QStringLiteral("SizeGrip1"));
        QVERIFY(grip);
        form.showMaximized();
        program.Tick();
        QVERIFY(grip->isHidden());
        form.showNormal();
        program.Tick();
        QVERIFY(!grip->isHidden());
    }

    void statusLineShowsTheLongPartOfAHint()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        QAction *autoSave = program.Action("AutoSave1");
        autoSave->setStatusTip(QStringLiteral("Auto Save|Saves the collection every two minutes"));
        autoSave->showStatusText(form.menuBar());
        QCOMPARE(form.StatusLabel->text(), QStringLiteral("Saves the collection every two minutes"));
    }

    void everyHundredAndTwentiethTickSavesTheCollection()
    {
        tProgramFixture program;
        TMainForm &form = program.Open();
        program.Start();
        tMainState &s = program.State();
        s.AutoSave = true;
        s.LastFileName = program.Home() + QStringLiteral("/Mine.OVD");
        s.DataModified = true;
        form.FormsTimer->start();
        for (int i = 0; i < 119; ++i)
            program.Tick();
        QVERIFY(!QFile::exists(s.LastFileName));
        program.Tick();
        QVERIFY(QFile::exists(s.LastFileName));
        QCOMPARE(form.windowTitle(), QStringLiteral("Orvanta [Mine.OVD]"));
        QVERIFY(form.FormsTimer->isActive());
    }
};

QTEST_MAIN(tst_HousekeepingWindow)
#include "tst_housekeepingwindow.moc"
