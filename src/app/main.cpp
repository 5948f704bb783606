#include "app/programwindow.h"
#include "core/program/ui/application.h"
#include "core/program/ui/userinterface.h"
#include "browse/shell/ui/titleform.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/ui/traynotifier.h"

namespace {

// Names the one running instance of the program.
const QString InstanceKey = QStringLiteral("{AD12094E-7308-4067-8CAC-565A1FF3ADDC}");

int ProgramEntry(int argc, char *argv[])
{
    TOrvantaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));

    // Another instance runs: end at once, without a window or a message.
    const platform::SingleInstance instance(InstanceKey);
    if (!instance.isFirst())
        return 0;

    // Message box, error window, pickers, notifications and the settings
    // file: the real services replace the silent and in-memory defaults.
    TUserInterface services;
    platform::setUserInterface(&services);
    platform::TrayNotifier tray;
    platform::setNotifier(&tray);
    platform::FileSettingsStore settingsFile(platform::settingsFilePath());
    platform::setSettingsStore(&settingsFile);

    int status = 0;
    try {
        const std::unique_ptr<TMainForm> form = BuildProgramWindow();
        new TTitle_Form;  // owned through Title_Form, freed by the deferred start-up
        CallSeam(form->Seams.CreateNewFolderForm);
        form->show();
        Title_Form->raise();
        status = app.exec();
        delete Title_Form;  // the window closed before the deferred start-up ran
    } catch (...) {
        // A failure while the window is created or the loop runs ends the
        // program quietly; failures inside handlers are reported there.
    }
    platform::setSettingsStore(nullptr);
    platform::setNotifier(nullptr);
    platform::setUserInterface(nullptr);
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    return ProgramEntry(argc, argv);
}
