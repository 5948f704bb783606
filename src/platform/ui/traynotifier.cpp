#include "platform/ui/traynotifier.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

namespace platform {

TrayNotifier::TrayNotifier() = default;
TrayNotifier::~TrayNotifier() = default;

bool TrayNotifier::notify(const QString &appName, const QString &title, const QString &body)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages())
        return false;
    if (!icon_) {
        QIcon icon = QApplication::windowIcon();
        if (icon.isNull())
            icon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
        icon_ = std::make_unique<QSystemTrayIcon>(icon);
    }
    icon_->setToolTip(appName);
    // The icon must be visible for its message to show.
    icon_->show();
    icon_->showMessage(title, body, QSystemTrayIcon::Information);
    return true;
}

} // namespace platform
