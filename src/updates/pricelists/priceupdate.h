#pragma once
// The plain steps of the price-list download: the server's dates file, the
// status of each country row, the selection buttons, the countries of the
// last update ("PLU"), the rotating backups of the Prices folder and the
// price date of a freshly fetched list.
#include <array>
#include <cstdint>
#include <vector>

#include <QRgb>
#include <QString>

#include "core/model/mainstate.h"

// Block number of the menu command that opens the window.
constexpr int PriceUpdateBlock = 4800;

// The settings value that holds the countries of the last update.
inline const QString PLUSettingName = QStringLiteral("PLU");
inline const QString PriceDatesIniName = QStringLiteral("PriceDates.ini");
inline const QString PriceDatesSection = QStringLiteral("Price Dates");
constexpr int PriceBackupCount = 5;

using tPriceDates = std::array<int32_t, CountryTableSize>;

// The country's file on the server and on disk: the file name of its
// default-structure file with the extension replaced (".OVP", ".OVCD").
QString CountryFileName(const tCountryInfo &c, const QString &extension);

// The 1,001 little-endian day numbers of a "PriceDates.Dat" file. Throws
// std::runtime_error when the file cannot be read or is shorter than 4,004
// bytes.
tPriceDates ReadPriceDatesFile(const QString &path);
// The same through the state's hook when one is installed.
tPriceDates ReadServerPriceDates(const tMainState &s, const QString &path);

// What a row shows for the server's date of its price list.
struct tPriceRowStatus {
    bool Visible = false;  // the date label
    QString Text;
    QRgb Color = 0xFF000000;
    QString Hint;          // the check box's hint
};
constexpr QRgb OutdatedColor = 0xFFFF0000;
tPriceRowStatus PriceListStatus(int32_t serverDate, int32_t localDate);

// The selection buttons, by their Tag.
enum tPriceSelection : int {
    SelectAllTag = 0,
    SelectCoinsTag = 1,
    SelectPaperTag = 2,
    SuggestTag = 3,   // the server's list is later than the local one
    SelectNoneTag = 4,
};
bool SelectionChecks(int tag, const tCountryInfo &c, int32_t serverDate, int32_t localDate);

// "12,40,301": the country numbers of the rows the last update processed.
// Items that are not whole numbers are skipped.
std::vector<int> ParsePLU(const QString &text);
QString FormatPLU(const std::vector<int> &countries);

// Rotates "Price Files_1.zip" (newest) .. "Price Files_5.zip" (oldest) in the
// Backups folder and zips the whole Prices folder into a new
// "Price Files_1.zip". Throws when the folder or the archive cannot be
// written.
void BackupPriceFiles(const tMainState &s);
QString PriceBackupName(int n);

// After a country's price list arrived: reads the list's own country number
// and date from its header, stores the date in PricesDatesArray (country
// numbers 0..1000 only) and under the country's name in "PriceDates.ini".
// Nothing happens when the file is missing or its header cannot be read.
void RecordPriceDate(tMainState &s, const tCountryInfo &c);
