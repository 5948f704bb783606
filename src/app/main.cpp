#include "core/ui/application.h"
#include "core/ui/userinterface.h"
#include "mainwindow/ui/mainform.h"
#include "platform/settingsstore.h"
#include "platform/ui/traynotifier.h"

int main(int argc, char *argv[])
{
    TOrvantaApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    // Message box, error window, pickers, notifications and the settings
    // file: the real services replace the silent and in-memory defaults.
    TUserInterface services;
    platform::setUserInterface(&services);
    platform::TrayNotifier tray;
    platform::setNotifier(&tray);
    platform::FileSettingsStore settingsFile(platform::settingsFilePath());
    platform::setSettingsStore(&settingsFile);
    TMainForm form;
    form.show();
    const int status = app.exec();
    platform::setSettingsStore(nullptr);
    platform::setNotifier(nullptr);
    platform::setUserInterface(nullptr);
    return status;
}
