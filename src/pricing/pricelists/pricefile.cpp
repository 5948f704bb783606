#include "pricing/pricelists/pricefile.h"

#include "core/program/settings.h"
#include "core/catalogue/countries.h"
#include "pricing/valuation/forex.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/model/currproc.h"
#include "core/model/dates.h"
#include "core/model/helpers.h"
#include "core/program/log.h"
#include "core/model/seriestree.h"
#include "core/files/valuestream.h"
#include "platform/ini.h"
#include "platform/knownfolders.h"
#include "platform/paths.h"
#include "pricing/pricelists/pricelist.h"

namespace {

// Grade slots that files before version 6 do not store (PO-1, FR-2, AG-3,
// G-6, VG-10, VF-25, VF-35); they read as the code "-------".
constexpr std::array<bool, GradeSlots> MissingBeforeV6 = [] {
    std::array<bool, GradeSlots> m{};
    for (int slot : {0, 1, 2, 4, 6, 10, 12})
        m[static_cast<size_t>(slot)] = true;
    return m;
}();
constexpr Money DashesCode = -5 * MoneyScale;

void ShowStatus(const tMainState &s, const QString &text)
{
    Q_EMIT s.Events->SetStatusText(text);
}

void AppendToLastLogLine(const QString &text)
{
    if (LogMode && !LogList.isEmpty())
        LogList.last() += text;
}

float MeasureFromFile(int32_t tenThousandths)
{
    return static_cast<float>(static_cast<double>(tenThousandths) / 10000.0);
}

int32_t MeasureToFile(float v)
{
    return static_cast<int32_t>(MoneyFromScaled(static_cast<double>(v) * 10000.0));
}

} // namespace

void ReadPriceRecord(ValueReader &r, int version, tPriceInfo &e)
{
    e.CoinType = r.ReadInteger();
    e.Year = r.ReadInteger();
    e.Mint = r.ReadString();
    e.Mintage = r.ReadInteger();
    e.ProofMintage = r.ReadInteger();
    e.Included = r.ReadBoolean();
    e.ProofIncluded = r.ReadBoolean();
    e.Variety = r.ReadString();
    e.GM = r.ReadString();
    if (version >= 2)
        e.Catalog = r.ReadString();
    const int32_t metal = r.ReadInteger();
    if (metal < 0 || metal > 255)
        throw PriceFileError(QStringLiteral("Metal number %1 out of range").arg(metal).toStdString());
    e.Metal = static_cast<uint8_t>(metal);
    if (version <= 3)
        e.Content = r.ReadSingle();
    else
        e.Content = MeasureFromFile(r.ReadInteger());
    if (version == 3)
        e.Weight = r.ReadSingle();
    else if (version >= 4)
        e.Weight = MeasureFromFile(r.ReadInteger());
    for (size_t slot = 0; slot < GradeSlots; ++slot) {
        if (version <= 5 && MissingBeforeV6[slot]) {
            e.Value[slot] = DashesCode;
            continue;
        }
        if (version <= 7) {
            // Hundredths of the unit.
            const int64_t cents = r.ReadInt64();
            if (cents > INT64_MAX / 100 || cents < INT64_MIN / 100)
                throw PriceFileError("Price out of range");
            e.Value[slot] = cents * 100;
        } else {
            e.Value[slot] = r.ReadCurrency();
        }
        if (version <= 8)
            r.ReadInt64();  // a value no longer used
    }
    if (version <= 10) {
        e.DateBits = r.ReadBoolean() ? 1 : 0;
    } else {
        const int32_t bits = r.ReadInteger();
        if (bits < 0 || bits > 0xFFFF)
            throw PriceFileError(QStringLiteral("Date bits %1 out of range").arg(bits).toStdString());
        e.DateBits = static_cast<uint16_t>(bits);
    }
}

namespace {

QString EntryLabel(const tPriceInfo &e)
{
    return QStringLiteral("series %1, %2")
        .arg(QString::number(e.CoinType),
             CompoundVariety(e.Year, e.DateBits & DateBitCirca, e.Mint, UnpackVariety(e.Variety, false)));
}

// Replaces path whole: the old file stays untouched unless every byte of the
// new one was written.
void WriteWholeFile(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("Cannot create %1: %2").arg(path, f.errorString()).toStdString());
    if (f.write(data) != data.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        throw std::runtime_error(QStringLiteral("Cannot write %1: %2").arg(path, why).toStdString());
    }
    if (!f.commit())
        throw std::runtime_error(QStringLiteral("Cannot write %1: %2").arg(path, f.errorString()).toStdString());
}

bool IsNeverPriced(int country)
{
    // These countries never have a price list of their own.
    return country == 1 || country == 133 || country == 298;
}

} // namespace

QString PriceFileBanner()
{
    return QStringLiteral("\rOrvanta price list - written by the program, do not edit  ") + QChar(26);
}

tPriceFileHeader ReadPriceFileHeader(ValueReader &r)
{
    tPriceFileHeader h;
    r.ReadListBegin();
    h.Banner = r.ReadString();
    // The first files carried the year in their banner and no version.
    if (h.Banner.contains(QLatin1String("2007"))) {
        h.Version = 1;
    } else {
        const int32_t v = r.ReadInteger();
        if (v < 1)
            throw PriceFileError(QStringLiteral("Unknown price list version %1").arg(v).toStdString());
        h.Version = std::min(v, PriceFileVersion);
    }
    const int32_t currency = r.ReadInteger();
    h.Currency = h.Version < 6 ? 0 : currency;
    h.Count = r.ReadInteger();
    if (h.Count < 0)
        throw PriceFileError(QStringLiteral("Negative record count %1").arg(h.Count).toStdString());
    h.Country = r.ReadInteger();
    if (h.Version >= 10)
        h.Date = r.ReadInteger();
    return h;
}

tPriceFile ReadPriceFile(const QByteArray &data)
{
    ValueReader r(data);
    tPriceFile file;
    file.Header = ReadPriceFileHeader(r);
    // The count comes from the file: reserve no more than the bytes can hold.
    const qsizetype plausible = r.Remaining() / 64 + 1;
    file.Entries.reserve(static_cast<size_t>(std::min<qsizetype>(file.Header.Count, plausible)));
    for (int32_t i = 0; i < file.Header.Count; ++i) {
        auto e = std::make_unique<tPriceInfo>();
        ReadPriceRecord(r, file.Header.Version, *e);
        file.Entries.push_back(std::move(e));
    }
    r.ReadListEnd();
    return file;
}

QByteArray WritePriceFile(int32_t currency, int32_t country, int32_t date, const std::vector<tPriceInfo *> &entries)
{
    // Checked before anything is written: a value that would wrap around in
    // the file's integer must stop the save, not corrupt the list.
    for (const tPriceInfo *e : entries) {
        if (!MeasureFitsPriceFile(e->Content))
            throw PriceFileError(QStringLiteral("The content of %1 (%2 troy ounces) is too large for a price list")
                                     .arg(EntryLabel(*e), QString::number(static_cast<double>(e->Content)))
                                     .toStdString());
        if (!MeasureFitsPriceFile(e->Weight))
            throw PriceFileError(QStringLiteral("The weight of %1 (%2 grams) is too large for a price list")
                                     .arg(EntryLabel(*e), QString::number(static_cast<double>(e->Weight)))
                                     .toStdString());
    }
    ValueWriter w;
    w.WriteListBegin();
    w.WriteString(PriceFileBanner());
    w.WriteInteger(PriceFileVersion);
    w.WriteInteger(currency);
    w.WriteInteger(static_cast<int32_t>(entries.size()));
    w.WriteInteger(country);
    w.WriteInteger(date);
    for (tPriceInfo *e : entries) {
        // A coin without a year cannot be dated roughly.
        if (e->Year == 0)
            e->DateBits &= static_cast<uint16_t>(~DateBitCirca);
        w.WriteInteger(e->CoinType);
        w.WriteInteger(e->Year);
        w.WriteString(e->Mint);
        w.WriteInteger(e->Mintage);
        w.WriteInteger(e->ProofMintage);
        w.WriteBoolean(e->Included);
        w.WriteBoolean(e->ProofIncluded);
        w.WriteString(e->Variety);
        w.WriteString(e->GM);
        w.WriteString(e->Catalog);
        w.WriteInteger(e->Metal);
        w.WriteInteger(MeasureToFile(e->Content));
        w.WriteInteger(MeasureToFile(e->Weight));
        for (Money v : e->Value)
            w.WriteCurrency(v);
        w.WriteInteger(e->DateBits);
    }
    w.WriteListEnd();
    return w.TakeData();
}

QString PriceFilePath(const tMainState &s, const QString &name)
{
    const QString file = name + QStringLiteral(".OVP");
    const QString found = platform::findEntryIgnoreCase(s.PricesRedirect, file);
    return s.PricesRedirect + (found.isEmpty() ? file : found);
}

void LoadPricesFromFile(tMainState &s)
{
    CurrProcGuard guard(6100);
    std::array<bool, CountryTableSize> inTree{};
    std::array<bool, CountryTableSize> loaded{};
    ForEachNode(s.EntireCollection.get(), [&](tnodeinfo *n) {
        if (n->Country >= 0 && n->Country <= MaxCountry)
            inTree[static_cast<size_t>(n->Country)] = true;
    });
    for (const auto &p : s.PriceList)
        loaded[static_cast<size_t>(CoinTypeToCountry(p->CoinType))] = true;

    ShowStatus(s, QString());
    LogEntry(QStringLiteral(">>>>> Load Prices Section <<<<<"));
    // Countries whose entries are still in the list keep their marks: their
    // unsaved edits must still reach the file at the next save.
    for (size_t c = 0; c < CountryTableSize; ++c)
        if (!loaded[c])
            s.PricesModifiedArray[c] = false;

    QStringList damaged;
    bool added = false;
    for (int c = 0; c <= MaxCountry; ++c) {
        const auto ci = static_cast<size_t>(c);
        if (IsNeverPriced(c) || !inTree[ci] || loaded[ci])
            continue;
        const QString name = GetCountryName(s, c);
        if (name.isEmpty())
            continue;
        s.PricesConvertedArray[ci] = false;
        const QString path = PriceFilePath(s, name);
        // Log mode leaves the collector's own price list out of the run
        // being diagnosed. It is not in memory then, so no save may
        // replace the file with the entries of this run alone.
        const bool userListLeftOut = LogMode && name == QLatin1String("User");
        if (userListLeftOut && GetFileSize(path) > MinPriceFileSize)
            s.PricesDamagedArray[ci] = true;
        if (!userListLeftOut && GetFileSize(path) > MinPriceFileSize) {
            const QString checking = QStringLiteral("Checking prices for ") + name + QStringLiteral("...");
            ShowStatus(s, checking);
            LogEntry(checking);
            try {
                QFile f(path);
                if (!f.open(QIODevice::ReadOnly))
                    throw PriceFileError(f.errorString().toStdString());
                tPriceFile file = ReadPriceFile(f.readAll());
                // Whole and sound: only now does the list take it.
                s.PriceListForexLinks[ci] = file.Header.Currency;
                if (file.Header.Version >= 10 && file.Header.Country >= 0 && file.Header.Country <= MaxCountry)
                    s.PricesDatesArray[static_cast<size_t>(file.Header.Country)] = file.Header.Date;
                s.PriceList.reserve(s.PriceList.size() + file.Entries.size());
                for (auto &e : file.Entries)
                    s.PriceList.push_back(std::move(e));
                added = true;
                s.PricesDamagedArray[ci] = false;
                AppendToLastLogLine(QStringLiteral(" <Done>"));
            } catch (const std::exception &e) {
                s.PricesDamagedArray[ci] = true;
                damaged << name;
                LogEntry(QStringLiteral("Price file %1 could not be read (%2); its prices were not loaded and the "
                                        "file will not be overwritten.")
                             .arg(path, QString::fromUtf8(e.what())));
            }
        } else {
            LogEntry(QStringLiteral("Price file ") + path + QStringLiteral(" not found."));
        }
        Q_EMIT s.Events->ProcessEvents();
    }

    if (damaged.isEmpty())
        ShowStatus(s, QString());
    else if (damaged.size() == 1)
        ShowStatus(s, QStringLiteral("The price list of %1 could not be read and was left as it is.").arg(damaged[0]));
    else
        ShowStatus(s, QStringLiteral("The price lists of %1 could not be read and were left as they are.")
                          .arg(damaged.join(QStringLiteral(", "))));
    if (added)
        PriceListChanged(s);
    ReFolderPrices(s);
    ConvertPriceListCurrency(s);
    s.PricesModified = std::any_of(s.PricesModifiedArray.begin(), s.PricesModifiedArray.end(), [](bool b) { return b; });
    Q_EMIT s.Events->SetSaveMenuVisibility();
}

void SavePricesToFile(tMainState &s)
{
    CurrProcGuard guard(2121);
    try {
        if (s.PriceList.size() > 1)
            ResortPrices(s);
        std::vector<std::vector<tPriceInfo *>> byBlock(CountryTableSize);
        for (const auto &p : s.PriceList)
            byBlock[static_cast<size_t>(CoinTypeToCountry(p->CoinType))].push_back(p.get());

        // Blocks that could not be written keep their marks.
        std::array<bool, CountryTableSize> kept{};
        QStringList refused;
        for (int k = 0; k <= MaxCountry; ++k) {
            const auto ki = static_cast<size_t>(k);
            int root = -1;
            std::array<int, 21> members;
            SeriesBlocks(k, root, members);
            if (root != k || !(s.PricesModifiedArray[ki] || s.PricesConvertedArray[ki]))
                continue;
            const QString name = GetCountryName(s, k);
            if (name.isEmpty()) {
                kept[ki] = true;
                LogEntry(QStringLiteral("Prices of country %1 not saved: the country has no name.").arg(k));
                continue;
            }
            if (s.PricesDamagedArray[ki]) {
                kept[ki] = true;
                refused << name;
                LogEntry(QStringLiteral("Prices of %1 not saved: its price file could not be read when loaded and "
                                        "is left as it is.")
                             .arg(name));
                continue;
            }
            // A block with no entries left is written too, as a list with no
            // records: keeping the old file would bring deleted entries back.
            ShowStatus(s, QStringLiteral("Saving ") + name + QStringLiteral(" prices"));
            WriteWholeFile(PriceFilePath(s, name),
                           WritePriceFile(s.PriceListForexLinks[ki], k, TodayDay(), byBlock[ki]));
        }

        for (size_t k = 0; k < CountryTableSize; ++k)
            if (!kept[k]) {
                s.PricesModifiedArray[k] = false;
                s.PricesConvertedArray[k] = false;
            }
        s.PricesModified = std::any_of(s.PricesModifiedArray.begin(), s.PricesModifiedArray.end(), [](bool b) { return b; });
        s.PricesConverted =
            std::any_of(s.PricesConvertedArray.begin(), s.PricesConvertedArray.end(), [](bool b) { return b; });
        Q_EMIT s.Events->RenderTree();
        Q_EMIT s.Events->SetSaveMenuVisibility();
        WriteRegInteger(RegName::CurrencyIndex, s.ActiveForexIndex);
        if (refused.isEmpty())
            ShowStatus(s, QString());
        else
            ShowStatus(s, QStringLiteral("Not saved, because the file could not be read when loaded: ") +
                              refused.join(QStringLiteral(", ")));
    } catch (...) {
        ShowStatus(s, QString());
        throw;
    }
}

void LoadPriceDates(tMainState &s)
{
    CurrProcGuard guard(2122);
    s.PricesDatesArray.fill(-1);
    const QString file = QStringLiteral("PriceDates.ini");
    const QString found = platform::findEntryIgnoreCase(s.OtherRedirect, file);
    const platform::IniFile ini(s.OtherRedirect + (found.isEmpty() ? file : found));
    const QString section = QStringLiteral("Price Dates");
    for (int c = 0; c <= MaxCountry; ++c) {
        const QString name = GetCountryName(s, c);
        if (name.isEmpty())
            continue;
        const int day = ParseShortDate(ini.readString(section, name));
        s.PricesDatesArray[static_cast<size_t>(c)] = day > 0 ? day : -1;
    }
}

QByteArray PriceDatesData(const tMainState &s)
{
    QByteArray out;
    out.reserve(PriceDatesFileSize);
    for (int32_t d : s.PricesDatesArray) {
        const auto u = static_cast<uint32_t>(d);
        for (int i = 0; i < 4; ++i)
            out.append(static_cast<char>((u >> (8 * i)) & 0xFF));
    }
    return out;
}

void BuildPriceDatesFile(tMainState &s)
{
    CurrProcGuard guard(2123);
    for (int c = 0; c <= MaxCountry; ++c) {
        const QString name = GetCountryName(s, c);
        if (name.isEmpty())
            continue;
        const QString path = PriceFilePath(s, name);
        QFile f(path);
        if (!f.exists() || !f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray data = f.readAll();
        try {
            ValueReader r(data);
            const tPriceFileHeader h = ReadPriceFileHeader(r);
            // Files before version 10 carry no date; what would sit in its
            // place is the first record's series number.
            if (h.Version >= 10)
                s.PricesDatesArray[static_cast<size_t>(c)] = h.Date;
            else
                LogEntry(QStringLiteral("Price file %1 holds no date (version %2).").arg(path, QString::number(h.Version)));
        } catch (const std::exception &e) {
            LogEntry(QStringLiteral("Price file %1 could not be read (%2).").arg(path, QString::fromUtf8(e.what())));
        }
    }
    const QByteArray data = PriceDatesData(s);
    const QString fixedFolder = platform::commonAppDataFolder() + QStringLiteral("/Orvanta/Other");
    QDir().mkpath(fixedFolder);
    WriteWholeFile(fixedFolder + QStringLiteral("/PriceDates.Dat"), data);
    WriteWholeFile(s.PricesRedirect + QStringLiteral("PriceDates.Dat"), data);
}

void SavePriceData1Click(tMainState &s)
{
    CurrProcGuard guard(2124);
    // A price still being typed is part of the changes to save.
    Q_EMIT s.Events->CommitPendingEdit();
    if (s.PricesModified || s.PricesConverted)
        SavePricesToFile(s);
}

void SaveAllChanges1Click(tMainState &s, const tSaveAllSteps &steps)
{
    CurrProcGuard guard(2125);
    Q_EMIT s.Events->CommitPendingEdit();
    if (s.MaintainerMode) {
        BuildPriceDatesFile(s);
        return;
    }
    // A list that was only converted to another currency is not written here.
    if (s.PricesModified)
        SavePricesToFile(s);
    if (steps.SaveEbookIndexes)
        steps.SaveEbookIndexes();
    if (steps.SaveCollection)
        steps.SaveCollection();
}
