#pragma once
// The assembled program for end-to-end tests: a fresh home folder, an
// in-memory settings store, the scripted message box and pickers, and the
// main window built by the same function main() uses. The deferred start-up
// and the housekeeping tick are stopped; a test runs them when it wants
// them (Start(), Tick()).
#include <memory>

#include <QStringList>
#include <QTemporaryDir>

#include "app/programwindow.h"
#include "platform/settingsstore.h"
#include "support/scriptedui.h"

class QAction;

class tProgramFixture {
public:
    explicit tProgramFixture(tScriptedUi::tUnscripted unscripted = tScriptedUi::tUnscripted::FirstButton);
    ~tProgramFixture();
    tProgramFixture(const tProgramFixture &) = delete;
    tProgramFixture &operator=(const tProgramFixture &) = delete;

    // Builds the window (arguments as on the command line after the program
    // name); a second call closes the first window without its questions and
    // builds a new one against the same home folder and settings, as a
    // restart would.
    TMainForm &Open(const QStringList &arguments = {});
    // Runs the deferred start-up (command-line collection or welcome window).
    void Start();
    // One housekeeping tick.
    void Tick();
    // Closes the window as the user would (the closing questions run); true
    // when it closed.
    bool Close();

    // The menu action or window action of that object name (fails the test
    // when there is none).
    QAction *Action(const QString &objectName) const;
    // Triggers the named action and lets queued events run.
    void Trigger(const QString &objectName);

    TMainForm &Form() const { return *form_; }
    tMainState &State() const;
    QString Home() const { return home_.path(); }

    tScriptedUi Ui;
    platform::MemorySettingsStore Settings;
    // Steps the window would have shown as windows of their own.
    QStringList Calls;
    // Open() keeps the program's own welcome window (modal: a test closes
    // it from a timer) instead of recording the call.
    bool RealWelcomeWindow = false;
    // Open() leaves the tip-of-the-day command to the program instead of
    // recording its calls.
    bool RealTipCommand = false;

private:
    QTemporaryDir home_;
    QByteArray oldHome_;
    std::unique_ptr<TMainForm> form_;
};
