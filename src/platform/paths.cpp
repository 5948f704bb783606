#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace platform {

QString toSlashes(const QString &storedPath)
{
    QString p = storedPath;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QStringList sortedEntries(const QString &dir)
{
    QDir d(dir);
    QStringList names = d.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString findEntryIgnoreCase(const QString &dir, const QString &name)
{
    if (name.isEmpty())
        return {};
    if (QFileInfo::exists(QDir(dir).filePath(name)))
        return name;
    const QStringList names = sortedEntries(dir);
    for (const QString &n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return {};
}

QString resolvePath(const QString &storedPath)
{
    const QString p = toSlashes(storedPath);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString dir = current.isEmpty() ? QStringLiteral(".") : current;
        const QString found = findEntryIgnoreCase(dir, parts[i]);
        if (found.isEmpty())
            return p;
        if (!current.isEmpty() && !current.endsWith(QLatin1Char('/')))
            current += QLatin1Char('/');
        current += found;
    }
    return current;
}

QString fileNamePart(const QString &path)
{
    const int at = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(at + 1);
}

QString folderPart(const QString &path)
{
    const int at = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.left(at + 1);
}

} // namespace platform
