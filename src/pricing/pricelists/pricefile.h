#pragma once
// Price-list files (".OVP", one per country block, in the Prices folder),
// the price dates ("PriceDates.ini", "PriceDates.Dat") and the save commands.
//
// A price-list file is a tagged value stream: list start, banner, version,
// currency index, record count, country number, date (from version 10), the
// records, list end. Versions 1 to 11 are read; version 11 is written.
#include <functional>
#include <stdexcept>
#include <vector>

#include <QByteArray>
#include <QString>

#include "core/model/mainstate.h"

class ValueReader;

constexpr int PriceFileVersion = 11;
// Files of 400 bytes or less hold no prices worth reading.
constexpr qint64 MinPriceFileSize = 400;
constexpr int PriceDatesFileSize = CountryTableSize * 4;

// A price file that is readable as a value stream but not as a price list.
class PriceFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct tPriceFileHeader {
    QString Banner;
    int Version = PriceFileVersion;  // as read; above 11 counts as 11
    int32_t Currency = 0;            // index into ForexList; 0 before version 6
    int32_t Count = 0;
    int32_t Country = 0;
    int32_t Date = -1;               // day number; -1 before version 10
};

struct tPriceFile {
    tPriceFileHeader Header;
    OwningList<tPriceInfo> Entries;  // Folder null
};

// The banner written into new files: a carriage return, one line of notice,
// two blanks and the end-of-file character.
QString PriceFileBanner();

tPriceFileHeader ReadPriceFileHeader(ValueReader &r);
// Reads one record of a file of the given version.
void ReadPriceRecord(ValueReader &r, int version, tPriceInfo &e);
// Reads a whole price file. Throws StreamReadError or PriceFileError; on
// failure nothing is returned, so a damaged file never yields half a list.
tPriceFile ReadPriceFile(const QByteArray &data);
// A version-11 file of the given entries. The circa bit of entries without a
// year is cleared, in the entries too. Throws PriceFileError when a content or
// weight does not fit the file's 32-bit fields.
QByteArray WritePriceFile(int32_t currency, int32_t country, int32_t date, const std::vector<tPriceInfo *> &entries);

// The price file of a country name: the entry of PricesRedirect that matches
// name + ".OVP" ignoring case, or the path spelt that way when none exists.
QString PriceFilePath(const tMainState &s, const QString &name);

// Loads the price lists of the countries in the tree that are not loaded yet.
void LoadPricesFromFile(tMainState &s);
// Writes every changed block, then stores the active currency.
void SavePricesToFile(tMainState &s);
// Fills PricesDatesArray from "PriceDates.ini" in the Other folder.
void LoadPriceDates(tMainState &s);
// The 4,004 bytes of "PriceDates.Dat" for PricesDatesArray.
QByteArray PriceDatesData(const tMainState &s);
// Maintainer tool: reads every price file's date and writes "PriceDates.Dat"
// to the default Other folder and to the Prices folder.
void BuildPriceDatesFile(tMainState &s);

// "Save price list changes".
void SavePriceData1Click(tMainState &s);

// The steps of "Save all changes" that belong to other subsystems.
struct tSaveAllSteps {
    std::function<void()> SaveEbookIndexes;
    // Saves the collection to its current file without a dialog.
    std::function<void()> SaveCollection;
};
// "Save all changes".
void SaveAllChanges1Click(tMainState &s, const tSaveAllSteps &steps);
