#include "core/program/startup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include "core/model/currproc.h"
#include "core/program/log.h"
#include "core/model/mainstate.h"
#include "platform/ini.h"
#include "platform/knownfolders.h"
#include "platform/paths.h"

namespace {

const QString Slash = QStringLiteral("/");

QString WithSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + Slash;
}

bool IsSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// Appends text to the newest log line (log mode only).
void AppendToLogLine(const QString &text)
{
    if (LogMode && !LogList.isEmpty())
        LogList.last() += text;
}

} // namespace

QString GetDocumentsFolder()
{
    const QString folder = platform::documentsFolder() + QStringLiteral("/Orvanta");
    QDir().mkpath(folder);
    return folder;
}

QString RedirectEntry(const QString &name, const QString &value, const QString &def)
{
    // Files written on the original platform may use "\" throughout.
    QString v = platform::toSlashes(value.trimmed());
    while (!v.isEmpty() && IsSeparator(v.back()))
        v.chop(1);
    if (v.isEmpty())
        return def;
    const QString result = v + Slash;
    LogEntry(name + QStringLiteral(" redirected to ") + result);
    return result;
}

void LoadRedirections(tMainState &s, const QString &programPath)
{
    CurrProcGuard guard(1050);
    LogEntry(QStringLiteral(">>>>> Load Redirections Section <<<<<"));
    LogEntry(QStringLiteral("Find default directories"));

    const QString common = platform::commonAppDataFolder() + QStringLiteral("/Orvanta/");
    s.BaseRedirect = WithSlash(GetDocumentsFolder());
    s.FolderImagesRedirect = common + QStringLiteral("Folder Images/");
    s.EbooksRedirect = s.BaseRedirect + QStringLiteral("eBooks/");
    s.PricesRedirect = s.BaseRedirect + QStringLiteral("Prices/");
    s.CountriesRedirect = common + QStringLiteral("Countries/");
    s.BackupsRedirect = s.BaseRedirect + QStringLiteral("Backups/");
    s.ReportsRedirect = s.BaseRedirect + QStringLiteral("Reports/");
    s.OtherRedirect = common + QStringLiteral("Other/");
    s.downloadsRedirect = WithSlash(platform::downloadsFolder());
    // The disk search starts at the root of the file system that holds the
    // program, as it started at the root of the program's drive.
    const QStorageInfo volume(programPath.isEmpty() ? QDir::rootPath() : programPath);
    s.SearchDriveRedirect = WithSlash(volume.isValid() ? volume.rootPath() : QDir::rootPath());
    AppendToLogLine(QStringLiteral(" <Done>"));

    const QString iniName = platform::findEntryIgnoreCase(s.OtherRedirect, QStringLiteral("Redirect.ini"));
    if (!iniName.isEmpty()) {
        const platform::IniFile ini(s.OtherRedirect + iniName);
        const QString section = QStringLiteral("Directories");
        const struct {
            const char *key;
            const char *logName;
            QString *field;
        } keys[] = {
            {"Folder Images", "Folder Images", &s.FolderImagesRedirect},
            {"Ebooks", "eBooks", &s.EbooksRedirect},
            {"Prices", "Prices", &s.PricesRedirect},
            {"Countries", "Countries", &s.CountriesRedirect},
            {"Backups", "Backups", &s.BackupsRedirect},
            {"Reports", "Reports", &s.ReportsRedirect},
            {"Downloads", "Downloads", &s.downloadsRedirect},
        };
        for (const auto &k : keys) {
            const QString value = ini.readString(section, QString::fromLatin1(k.key));
            *k.field = RedirectEntry(QString::fromLatin1(k.logName), value, *k.field);
        }
    }

    LogEntry(QStringLiteral(">>>>> Test directories Section <<<<<"));
    TestDirectory(QStringLiteral("Folder Images"), s.FolderImagesRedirect);
    TestDirectory(QStringLiteral("eBooks"), s.EbooksRedirect);
    TestDirectory(QStringLiteral("Prices"), s.PricesRedirect);
    TestDirectory(QStringLiteral("Countries"), s.CountriesRedirect);
    TestDirectory(QStringLiteral("Backups"), s.BackupsRedirect);
    TestDirectory(QStringLiteral("Reports"), s.ReportsRedirect);
    TestDirectory(QStringLiteral("Other"), s.OtherRedirect);
    TestDirectory(QStringLiteral("Downloads"), s.downloadsRedirect);
}

tFileCount CountFiles(const QString &folder)
{
    tFileCount count;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir() && !info.isSymLink()) {
            const tFileCount sub = CountFiles(info.filePath());
            count.Files += sub.Files;
            count.ReadOnly += sub.ReadOnly;
            continue;
        }
        ++count.Files;
        if (!(info.permissions() & QFileDevice::WriteOwner))
            ++count.ReadOnly;
    }
    return count;
}

void TestDirectory(const QString &name, const QString &folder)
{
    if (!LogMode)
        return;
    QString line = name + QStringLiteral(" R/W test: ");
    QFile probe(folder + QStringLiteral("RW test"));
    bool ok = probe.open(QIODevice::WriteOnly | QIODevice::Truncate);
    ok = ok && probe.write("RWRW", 4) == 4;
    probe.close();
    ok = ok && probe.remove();
    line += ok ? QStringLiteral("Success") : QStringLiteral("Failed");
    const tFileCount count = CountFiles(folder);
    line += QStringLiteral(" (%1 of %2 files are read-only)").arg(count.ReadOnly).arg(count.Files);
    LogEntry(line);
}

QString GetVersionString()
{
    return QStringLiteral("%1.%2.%3").arg(ORVANTA_VERSION_MAJOR).arg(ORVANTA_VERSION_MINOR).arg(ORVANTA_VERSION_PATCH);
}

QString CommandLineCollection(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return {};
    const QString &first = arguments.first();
    const QString name = platform::fileNamePart(first);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.mid(dot) != QLatin1String(".OVD"))
        return {};
    return first;
}

void CheckActiveForexIndex(tMainState &s)
{
    if (s.ActiveForexIndex >= 0 && s.ActiveForexIndex < static_cast<int>(s.ForexList.size()))
        return;
    s.ActiveForexIndex = 0;
    for (size_t i = 0; i < s.ForexList.size(); ++i)
        if (s.ForexList[i]->Code == QLatin1String("USD")) {
            s.ActiveForexIndex = static_cast<int>(i);
            break;
        }
}
