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

QString UnpackRepositoryPath(const tMainState &s, const QString &inPath)
{
    QString out = inPath;
    if (inPath.startsWith(QLatin1String("R~"))) {
        QString base = platform::toSlashes(s.RepositoryPath);
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        QString rest = platform::toSlashes(inPath.mid(2));
        while (rest.startsWith(QLatin1Char('/')))
            rest.remove(0, 1);
        out = base + QDir::separator() + rest;
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
    const QString f = NormalRepositoryFolder(folder);
    if (f.isEmpty())
        return false;
    const QString p = platform::toSlashes(path);
    if (f == QLatin1String("/"))
        return p.size() > 1 && p.startsWith(f);
    // The character after the folder must be a separator with something after it.
    return p.size() > f.size() + 1 && p.startsWith(f) && p.at(f.size()) == QLatin1Char('/');
}

QString PackRepositoryPath(const QString &folder, const QString &inPath)
{
    if (!IsInsideRepository(folder, inPath))
        return inPath;
    const QString f = NormalRepositoryFolder(folder);
    const QString p = platform::toSlashes(inPath);
    // The root keeps its one separator in the rest, like any other folder.
    return QStringLiteral("R~") + (f == QLatin1String("/") ? p : p.mid(f.size()));
}

QString PackRepositoryPath(const tMainState &s, const QString &inPath)
{
    return PackRepositoryPath(s.RepositoryPath, inPath);
}
