#pragma once
// The system notification through a tray icon's balloon message, where the
// desktop has a tray that shows messages.
#include <memory>

#include "platform/notify.h"

class QSystemTrayIcon;

namespace platform {

class TrayNotifier final : public Notifier {
public:
    TrayNotifier();
    ~TrayNotifier() override;
    bool notify(const QString &appName, const QString &title, const QString &body) override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
};

} // namespace platform
