#include "core/catalogue/samplecatalogue.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "core/model/currproc.h"
#include "core/program/log.h"
#include "core/model/mainstate.h"
#include "platform/paths.h"

namespace {

constexpr int InstallBlock = 10609;

bool HoldsFileEndingIn(const QString &folder, const QString &suffix)
{
    for (const QString &name : platform::sortedEntries(folder))
        if (name.endsWith(suffix, Qt::CaseInsensitive) && QFileInfo(QDir(folder).filePath(name)).isFile())
            return true;
    return false;
}

void CopyOne(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        throw std::runtime_error(("The sample catalogue file " + from + " cannot be read.").toStdString());
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly) || out.write(in.readAll()) < 0 || !out.commit())
        throw std::runtime_error(
            ("The sample catalogue cannot be installed as " + to + ": " + out.errorString()).toStdString());
    LogEntry(QStringLiteral("Installed ") + to);
}

// Copies every embedded file of one kind when the folder holds none of it.
int CopyKind(const QString &embedded, const QString &folder, const QString &suffix)
{
    const QDir source(embedded);
    const QStringList names = source.entryList({QLatin1Char('*') + suffix}, QDir::Files, QDir::Name);
    if (names.isEmpty() || folder.isEmpty())
        return 0;
    const QString target = platform::toSlashes(folder);
    if (!QDir().mkpath(target))
        throw std::runtime_error(("The folder " + target + " cannot be created.").toStdString());
    if (HoldsFileEndingIn(target, suffix))
        return 0;
    for (const QString &name : names)
        CopyOne(source.filePath(name), QDir(target).filePath(name));
    return static_cast<int>(names.size());
}

} // namespace

tCatalogueInstall InstallSampleCatalogue(const tMainState &s, const QString &embedded)
{
    CurrProcGuard guard(InstallBlock);
    tCatalogueInstall done;
    const QDir root(embedded);
    done.StructureFiles = CopyKind(root.filePath(QStringLiteral("Countries")), s.CountriesRedirect,
                                   QStringLiteral(".OVCD"));
    done.PriceFiles = CopyKind(root.filePath(QStringLiteral("Prices")), s.PricesRedirect, QStringLiteral(".OVP"));

    // The spot prices and exchange rates of the catalogue's day, so that a
    // collector without an update server converts at real rates. A file
    // already there (fetched, or installed before) is newer or the same.
    const QString spot = root.filePath(QStringLiteral("Other/Spot prices"));
    if (QFile::exists(spot) && !s.OtherRedirect.isEmpty()) {
        const QString other = platform::toSlashes(s.OtherRedirect);
        if (!QDir().mkpath(other))
            throw std::runtime_error(("The folder " + other + " cannot be created.").toStdString());
        if (platform::findEntryIgnoreCase(other, QStringLiteral("Spot prices")).isEmpty()) {
            CopyOne(spot, QDir(other).filePath(QStringLiteral("Spot prices")));
            done.SpotPrices = true;
        }
    }

    const QString data = root.filePath(QStringLiteral("Other/Countries.Data"));
    if (QFile::exists(data) && !s.OtherRedirect.isEmpty()) {
        const QString other = platform::toSlashes(s.OtherRedirect);
        if (!QDir().mkpath(other))
            throw std::runtime_error(("The folder " + other + " cannot be created.").toStdString());
        if (platform::findEntryIgnoreCase(other, QStringLiteral("Countries.Data")).isEmpty()) {
            CopyOne(data, QDir(other).filePath(QStringLiteral("Countries.Data")));
            done.CountriesData = true;
        }
    }
    return done;
}
