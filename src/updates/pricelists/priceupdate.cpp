#include "updates/pricelists/priceupdate.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QStringList>

#include "core/model/dates.h"
#include "core/program/log.h"
#include "core/files/valuestream.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/zip.h"

QString CountryFileName(const tCountryInfo &c, const QString &extension)
{
    QString name = platform::fileNamePart(c.Path);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return name + extension;
}

tPriceDates ReadPriceDatesFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Could not read " + path + ": " + f.errorString()).toStdString());
    const QByteArray data = f.read(static_cast<qint64>(CountryTableSize) * 4);
    if (data.size() < static_cast<qsizetype>(CountryTableSize) * 4)
        throw std::runtime_error(("The list of price lists " + path + " is incomplete.").toStdString());
    tPriceDates dates{};
    const auto *p = reinterpret_cast<const uchar *>(data.constData());
    for (size_t i = 0; i < dates.size(); ++i, p += 4)
        dates[i] = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                        (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
    return dates;
}

tPriceDates ReadServerPriceDates(const tMainState &s, const QString &path)
{
    return ReadPriceDatesFile(path);
}

tPriceRowStatus PriceListStatus(int32_t serverDate, int32_t localDate)
{
    tPriceRowStatus st;
    if (serverDate <= 0)
        return st;
    st.Visible = true;
    st.Text = FormatShortDate(serverDate);
    if (localDate < serverDate) {
        st.Color = OutdatedColor;
        // A country without a local list (-1) shows that value as a date too.
        st.Hint = QStringLiteral("Current price list: ") + FormatShortDate(localDate) + QStringLiteral("   ") +
                  QStringLiteral("Available price list: ") + FormatShortDate(serverDate);
    }
    return st;
}

bool SelectionChecks(int tag, const tCountryInfo &c, int32_t serverDate, int32_t localDate)
{
    switch (tag) {
    case SelectAllTag: return true;
    case SelectCoinsTag: return !c.IsPaper;
    case SelectPaperTag: return c.IsPaper;
    case SuggestTag: return serverDate > localDate;
    default: return false;
    }
}

std::vector<int> ParsePLU(const QString &text)
{
    std::vector<int> out;
    for (const QString &item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = item.trimmed().toInt(&ok);
        if (ok)
            out.push_back(n);
    }
    return out;
}

QString FormatPLU(const std::vector<int> &countries)
{
    QStringList parts;
    for (int c : countries)
        parts << QString::number(c);
    return parts.join(QLatin1Char(','));
}

QString PriceBackupName(int n)
{
    return QStringLiteral("Price Files_") + QString::number(n) + QStringLiteral(".zip");
}

void BackupPriceFiles(const tMainState &s)
{
    const QString folder = s.BackupsRedirect;
    if (!QDir().mkpath(folder))
        throw std::runtime_error(("Could not create the backup folder " + folder).toStdString());
    const QString oldest = folder + PriceBackupName(PriceBackupCount);
    if (QFile::exists(oldest) && !QFile::remove(oldest))
        throw std::runtime_error(("Could not remove " + oldest).toStdString());
    for (int n = PriceBackupCount - 1; n >= 1; --n) {
        const QString from = folder + PriceBackupName(n);
        if (QFile::exists(from) && !QFile::rename(from, folder + PriceBackupName(n + 1)))
            throw std::runtime_error(("Could not rename " + from).toStdString());
    }
    platform::zipFolder(s.PricesRedirect, folder + PriceBackupName(1));
}

void RecordPriceDate(tMainState &s, const tCountryInfo &c)
{
    const QString name = CountryFileName(c, QStringLiteral(".OVP"));
    const QString found = platform::findEntryIgnoreCase(s.PricesRedirect, name);
    const QString path = s.PricesRedirect + (found.isEmpty() ? name : found);
    QFile f(path);
    if (!f.exists() || !f.open(QIODevice::ReadOnly))
        return;
    // The header: list start, banner, version, currency, count, then the
    // list's own country number and its date.
    const QByteArray head = f.read(4096);
    int32_t country = 0;
    int32_t date = 0;
    try {
        ValueReader r(head);
        r.ReadListBegin();
        r.ReadString();
        for (int i = 0; i < 3; ++i)
            r.ReadInteger();
        country = r.ReadInteger();
        date = r.ReadInteger();
    } catch (const StreamReadError &e) {
        LogEntry(QStringLiteral("The date of ") + path + QStringLiteral(" could not be read: ") + QString::fromUtf8(e.what()));
        return;
    }
    if (country >= 0 && country <= MaxCountry)
        s.PricesDatesArray[static_cast<size_t>(country)] = date;
    const QString iniFound = platform::findEntryIgnoreCase(s.OtherRedirect, PriceDatesIniName);
    const QString iniPath = s.OtherRedirect + (iniFound.isEmpty() ? PriceDatesIniName : iniFound);
    platform::IniFile ini(iniPath);
    ini.writeString(PriceDatesSection, c.Name, FormatShortDate(date));
    if (!ini.save(iniPath))
        throw std::runtime_error(("Could not write " + iniPath).toStdString());
}
