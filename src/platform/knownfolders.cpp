#include "platform/knownfolders.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {
namespace {

QString overrideRoot()
{
    return qEnvironmentVariable("ORVANTA_HOME");
}

QString pick(QStandardPaths::StandardLocation loc, const QString &underOverride)
{
    const QString root = overrideRoot();
    if (!root.isEmpty())
        return QDir(root).filePath(underOverride);
    QString p = QStandardPaths::writableLocation(loc);
    if (p.isEmpty())
        p = QDir::home().filePath(underOverride);
    return p;
}

} // namespace

QString homeFolder()
{
    const QString root = overrideRoot();
    return root.isEmpty() ? QDir::homePath() : root;
}

QString runtimeFolder()
{
    const QString root = overrideRoot();
    if (!root.isEmpty())
        return root;
    const QString p = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return p.isEmpty() ? QDir::tempPath() : p;
}

QString documentsFolder()
{
    return pick(QStandardPaths::DocumentsLocation, QStringLiteral("Documents"));
}

QString downloadsFolder()
{
    return pick(QStandardPaths::DownloadLocation, QStringLiteral("Downloads"));
}

QString commonAppDataFolder()
{
    return pick(QStandardPaths::GenericDataLocation, QStringLiteral(".local/share"));
}

QString configFolder()
{
    return pick(QStandardPaths::GenericConfigLocation, QStringLiteral(".config"));
}

} // namespace platform
