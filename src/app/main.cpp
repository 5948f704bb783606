#include <QApplication>

#include "mainwindow/ui/mainform.h"
#include "platform/ui/traynotifier.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    // System notifications (the spot-price file's notice) through the tray.
    platform::TrayNotifier tray;
    platform::setNotifier(&tray);
    TMainForm form;
    form.show();
    const int status = app.exec();
    platform::setNotifier(nullptr);
    return status;
}
