#include "core/program/about.h"

#include <QStringList>
#include <QSysInfo>
#include <QVersionNumber>

#include "core/model/mainstate.h"

qsizetype CountNodes(const tnodeinfo *top)
{
    if (!top)
        return 0;
    qsizetype n = 1;
    for (const auto &child : top->ChildNodes)
        n += CountNodes(child.get());
    return n;
}

tAboutCounts AboutCounts(const tMainState &s)
{
    return {static_cast<qsizetype>(s.CoinList.size()), static_cast<qsizetype>(s.PriceList.size()),
            CountNodes(s.EntireCollection.get())};
}

QString PlatformName(const QString &kernelType)
{
    if (kernelType == QLatin1String("linux"))
        return QStringLiteral("Linux");
    if (kernelType == QLatin1String("winnt"))
        return QStringLiteral("Windows");
    if (kernelType == QLatin1String("darwin"))
        return QStringLiteral("MacOS");
    return QStringLiteral("UNKNOWN");
}

tSystemDescription CurrentSystem()
{
    tSystemDescription d;
    d.Description = QSysInfo::prettyProductName();
    d.Platform = PlatformName(QSysInfo::kernelType());
    // The kernel's release carries the numbers a system build is known by
    // ("6.1.0-18-amd64": major 6, minor 1).
    d.Build = QSysInfo::kernelVersion();
    const QVersionNumber kernel = QVersionNumber::fromString(d.Build);
    d.Major = kernel.majorVersion();
    d.Minor = kernel.minorVersion();
    d.Name = QSysInfo::productType();
    // Service packs are a Windows notion; other systems have none.
    return d;
}

QString ProgramEdition()
{
#if defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("MacOS");
#else
    return PlatformName(QSysInfo::kernelType());
#endif
}

QString AboutProgramText(const QString &version, const QString &edition, const tAboutCounts &counts)
{
    return QStringList{QStringLiteral("Version ") + version, QStringLiteral("Edition: ") + edition,
                       QStringLiteral("Coins on file: ") + QString::number(counts.Coins),
                       QStringLiteral("Prices on file: ") + QString::number(counts.Prices),
                       QStringLiteral("Series defined: ") + QString::number(counts.Series)}
        .join(QLatin1Char('\n'));
}

QString AboutSystemText(const tSystemDescription &system)
{
    return QLatin1Char('\n') +
           QStringList{system.Description,
                       QStringLiteral("Platform: ") + system.Platform,
                       QStringLiteral("Build: ") + system.Build,
                       QStringLiteral("Major: ") + QString::number(system.Major),
                       QStringLiteral("Minor: ") + QString::number(system.Minor),
                       QStringLiteral("Name: ") + system.Name,
                       QStringLiteral("Service Pack - Major: ") + QString::number(system.ServicePackMajor),
                       QStringLiteral("Service Pack - Minor: ") + QString::number(system.ServicePackMinor)}
               .join(QLatin1Char('\n'));
}
