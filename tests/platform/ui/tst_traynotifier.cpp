#include <QtTest>

#include <QSystemTrayIcon>

#include "platform/ui/traynotifier.h"

class tst_TrayNotifier : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Without a tray (the offscreen platform has none) the notifier says so,
    // and the caller puts the notice in the log instead.
    void reportsWhenNoTrayCanShowIt()
    {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("this desktop has a tray");
        platform::TrayNotifier tray;
        QVERIFY(!tray.notify(QStringLiteral("Orvanta"), QStringLiteral("Title"), QStringLiteral("Body")));
    }
};

QTEST_MAIN(tst_TrayNotifier)
#include "tst_traynotifier.moc"
