#include "core/collectionsettings.h"

#include "core/coinentries.h"

#include <QDir>

#include "core/mainstate.h"

void SetDefaultThemeNames(tMainState &s)
{
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
    s.StoredBoxItems = {QStringLiteral("Delivery Pending"), QStringLiteral("2x2 holder"), QStringLiteral("Album"),
                        QStringLiteral("Coin tube"),        QStringLiteral("Folder"),     QStringLiteral("Paper roll"),
                        QStringLiteral("Slab"),             QStringLiteral("Safe"),       QStringLiteral("Safety Deposit box")};
}

void ClearGradedByBox(tMainState &s)
{
    s.GradedByBoxItems = {QStringLiteral("ANACS"), QStringLiteral("ICG"),  QStringLiteral("NGC"),
                          QStringLiteral("PCGS"),  QStringLiteral("PCI"),  QStringLiteral("SEGS")};
}

QString UnpackRepositoryPath(const tMainState &s, const QString &inPath)
{
    QString out = inPath;
    if (inPath.startsWith(QLatin1String("R~"))) {
        QString base = s.RepositoryPath;
        while (base.endsWith(QLatin1Char('/')) || base.endsWith(QLatin1Char('\\')))
            base.chop(1);
        QString rest = inPath.mid(2);
        while (rest.startsWith(QLatin1Char('/')) || rest.startsWith(QLatin1Char('\\')))
            rest.remove(0, 1);
        out = base + QDir::separator() + rest;
    }
    out.replace(QLatin1Char('/'), QDir::separator());
    return out;
}
