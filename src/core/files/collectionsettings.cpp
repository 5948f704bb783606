#include "core/files/collectionsettings.h"
#include "core/model/currproc.h"

#include "core/collection/coinentries.h"

#include <QDir>

#include "core/model/mainstate.h"
#include "platform/paths.h"

void SetDefaultThemeNames(tMainState &s)
{
    CurrProcGuard guard(10400);
    static const char *const defaults[] = {
        "Bi-metallic",  "Non-round",   "Annular",        "Birds",         "Turtles",      "All animals",
        "Boats & Ships", "Automobiles", "Transportation", "Naughty bits",  "Lunar coins",  "Euro coinage",
        "Olympic coins", "Horse & rider", "F.A.O.",      "UNICEF",        "U.N.",
    };
    s.ThemeNames.fill(QString());
    size_t i = 0;
    for (const char *name : defaults)
        s.ThemeNames[i++] = QString::fromLatin1(name);
}

void ClearStoredBox(tMainState &s)
{
    CurrProcGuard guard(10900);
    s.StoredBoxItems = {QStringLiteral("Delivery Pending"), QStringLiteral("2x2 holder"), QStringLiteral("Album"),
                        QStringLiteral("Coin tube"),        QStringLiteral("Folder"),     QStringLiteral("Paper roll"),
                        QStringLiteral("Slab"),             QStringLiteral("Safe"),       QStringLiteral("Safety Deposit box")};
}

void ClearGradedByBox(tMainState &s)
{
    CurrProcGuard guard(172000);
    s.GradedByBoxItems = {QStringLiteral("ANACS"), QStringLiteral("ICG"),  QStringLiteral("NGC"),
                          QStringLiteral("PCGS"),  QStringLiteral("PCI"),  QStringLiteral("SEGS")};
}

bool IsRepositoryPath(const QString &stored)
{
    return stored.startsWith(QLatin1String("R~"), Qt::CaseInsensitive);
}

QString RepositoryRest(const QString &stored)
{
    // Each ".." takes back one folder name, never more than were given, so
    // the path cannot climb out of the repository; "." and empty parts (a
    // doubled separator) name nothing.
    QStringList parts;
    for (const QString &p : platform::toSlashes(stored.mid(2)).split(QLatin1Char('/'))) {
        if (p.isEmpty() || p == QLatin1String("."))
            continue;
        if (p == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts << p;
    }
    return parts.join(QLatin1Char('/'));
}

QString UnpackRepositoryPath(const tMainState &s, const QString &inPath)
{
    QString out = inPath;
    if (IsRepositoryPath(inPath)) {
        QString base = QDir::cleanPath(platform::toSlashes(s.RepositoryPath));
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        out = base + QDir::separator() + RepositoryRest(inPath);
    }
    out.replace(QLatin1Char('/'), QDir::separator());
    return out;
}

QString NormalRepositoryFolder(const QString &folder)
{
    if (folder.trimmed().isEmpty())
        return {};
    QString f = platform::toSlashes(folder);
    while (f.size() > 1 && f.endsWith(QLatin1Char('/')))
        f.chop(1);
    return f;
}

bool IsInsideRepository(const QString &folder, const QString &path)
{
    const QString n = NormalRepositoryFolder(folder);
    if (n.isEmpty())
        return false;
    const QString f = QDir::cleanPath(n);
    const QString p = platform::toSlashes(path);
    if (f == QLatin1String("/"))
        return p.size() > 1 && p.startsWith(f);
    // The character after the folder must be a separator with something after it.
    return p.size() > f.size() + 1 && p.startsWith(f) && p.at(f.size()) == QLatin1Char('/');
}

QString PackRepositoryPath(const QString &folder, const QString &inPath)
{
    // The test is made on the path as it stands after "." and ".." are
    // worked out: "/pics/../etc/x.jpg" lies outside "/pics", and a path
    // that only ends up inside it is stored by the folder it names.
    if (inPath.trimmed().isEmpty() || IsRepositoryPath(inPath))
        return inPath;
    const QString clean = QDir::cleanPath(platform::toSlashes(inPath));
    if (!IsInsideRepository(folder, clean))
        return inPath;
    const QString f = QDir::cleanPath(NormalRepositoryFolder(folder));
    // The root keeps its one separator in the rest, like any other folder.
    return QStringLiteral("R~") + (f == QLatin1String("/") ? clean : clean.mid(f.size()));
}

QString PackRepositoryPath(const tMainState &s, const QString &inPath)
{
    return PackRepositoryPath(s.RepositoryPath, inPath);
}
