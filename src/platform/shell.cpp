#include "platform/shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/paths.h"

namespace platform {

void shellOpen(const QString &target)
{
    if (target.isEmpty())
        return;
    const QUrl url = target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"))
                         ? QUrl(target)
                         : QUrl::fromLocalFile(resolvePath(target));
    QDesktopServices::openUrl(url);
}

} // namespace platform
