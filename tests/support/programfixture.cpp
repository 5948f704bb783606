#include "support/programfixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>

tProgramFixture::tProgramFixture(tScriptedUi::tUnscripted unscripted) : Ui(unscripted)
{
    oldHome_ = qgetenv("ORVANTA_HOME");
    qputenv("ORVANTA_HOME", home_.path().toUtf8());
    platform::setSettingsStore(&Settings);
    platform::setUserInterface(&Ui);
}

tProgramFixture::~tProgramFixture()
{
    if (form_) {
        // Leaving a test never asks the closing questions.
        form_->Seams.CanClose = [] { return true; };
        form_.reset();
    }
    platform::setUserInterface(nullptr);
    platform::setSettingsStore(nullptr);
    if (oldHome_.isEmpty())
        qunsetenv("ORVANTA_HOME");
    else
        qputenv("ORVANTA_HOME", oldHome_);
}

TMainForm &tProgramFixture::Open(const QStringList &arguments)
{
    if (form_) {
        form_->Seams.CanClose = [] { return true; };
        form_->close();
        form_.reset();
    }
    tProgramWindowOptions options;
    options.Timings = {3600 * 1000, 3600 * 1000};
    options.FetchSpotPrices = false;
    options.AdjustSeams = [this](tMainFormSeams &seams) {
        seams.LogModeKeysHeld = [] { return false; };
        if (!RealWelcomeWindow)
            seams.ShowWelcomeWindow = [this] {
                Calls << QStringLiteral("ShowWelcomeWindow");
                return true;
            };
        if (!RealTipCommand)
            seams.Tipoftheday1Click = [this] { Calls << QStringLiteral("Tipoftheday1Click"); };
    };
    form_ = BuildProgramWindow(options);
    form_->CommandLine = arguments;  // the window took the test runner's own
    form_->resize(1280, 800);
    form_->show();
    QCoreApplication::processEvents();
    return *form_;
}

void tProgramFixture::Start()
{
    form_->StartupTimerTimeout();
    QCoreApplication::processEvents();
}

void tProgramFixture::Tick()
{
    // The timer's signal, as its interval ending would send it.
    QMetaObject::invokeMethod(form_->FormsTimer, "timeout", Qt::DirectConnection);
    QCoreApplication::processEvents();
}

bool tProgramFixture::Close()
{
    const bool closed = form_->close();
    QCoreApplication::processEvents();
    return closed;
}

QAction *tProgramFixture::Action(const QString &objectName) const
{
    auto *action = form_->findChild<QAction *>(objectName);
    if (!action)
        QTest::qFail(qPrintable(QStringLiteral("no action named ") + objectName), __FILE__, __LINE__);
    return action;
}

void tProgramFixture::Trigger(const QString &objectName)
{
    if (QAction *action = Action(objectName))
        action->trigger();
    QCoreApplication::processEvents();
}

tMainState &tProgramFixture::State() const
{
    return form_->State;
}
