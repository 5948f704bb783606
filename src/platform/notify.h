#pragma once
// System notifications: a short message with a title that the desktop shows
// outside the program's windows. The program installs the tray-icon
// implementation (platform/ui/traynotifier.h) when a window system is there;
// until then, and in tests, nothing is presented and the caller logs the
// message instead.
#include <QString>

namespace platform {

class Notifier {
public:
    virtual ~Notifier() = default;
    // Presents the notification; false when it could not be shown.
    virtual bool notify(const QString &appName, const QString &title, const QString &body) = 0;
};

// The notifier in force; a silent one that shows nothing until another is
// installed.
Notifier &notifier();
// Installs a notifier (not owned); nullptr restores the silent one.
void setNotifier(Notifier *n);

} // namespace platform
