#pragma once
// The parameters of one report: what the program adds around a template
// (where coin rows come from, which rows remain, sort keys, price merging,
// series filters, theme copies, description). Kept beside the template in
// a parameter file named after it with the extension ".FrF", a list in the
// tagged value stream.
#include <array>
#include <cstdint>

#include <QByteArray>
#include <QString>

// Coin sort keys (CoinSort); stored in parameter files, keep the values.
enum tCoinSortKey : int32_t {
    SortNone = 0,
    SortYear = 1,
    SortMint = 2,
    SortVariety = 3,
    SortGrade = 4,
    SortHave = 5,
    SortNeed = 6,
    SortSell = 7,
    SortSold = 8,
    SortGradedBy = 9,
    SortStoredIn = 10,
    SortBuyDate = 11,
    SortBuyPrice = 12,
    SortSellPrice = 13,
    SortItemNumber = 14,
    SortMetal = 15,
    SortSeriesOrder = 16,
    SortCatalog = 17,
    SortUserField1 = 18,   // 18..23: user fields 1..6
    SortUserField6 = 23,
};

// Sources of coin rows (CoinSourceFilter).
enum tCoinSource : int32_t {
    SourceSubtree = 0,
    SourceBin = 1,
    SourceCurrentCoin = 2,
    SourceNoSeriesImage = 3,
    SourceNoPriceEntry = 4,
};

// Price-row merging (PriceMergeMask).
enum tPriceMerge : int32_t {
    MergeNone = 0,
    MergeYearMintVariety = 1,
    MergeYearMint = 2,
    MergeYear = 3,
};

// Price-row filter (PricePurgeMask).
enum tPricePurge : int32_t {
    PurgeNone = 0,
    PurgeKeepHave = 1,      // only entries of items I have
    PurgeKeepHaveNot = 2,   // only entries of items I don't have
};

// QuantityFilter bits.
enum : uint8_t { QuantityHave = 1, QuantityNeed = 2, QuantitySell = 4, QuantitySold = 8 };

// Databases bits: the data sets a template uses.
enum : uint16_t {
    UsesPrices = 1,
    UsesCoins = 2,
    UsesSeries = 4,
    UsesEbooks = 8,
    UsesForex = 16,
    UsesCollection = 32,
};

constexpr int32_t ParamStreamVersion = 6;

struct tParamInfo {
    int32_t StreamVersion = 0;      // read from the file; 0 without one
    QString StreamName;             // parameter file name, no folder
    std::array<int32_t, 6> CoinSort{};  // 1st..6th key at [0]..[5]; tCoinSortKey
    uint8_t QuantityFilter = 15;
    int32_t PricePurgeMask = PurgeNone;
    int32_t PriceMergeMask = MergeNone;
    int32_t SeriesPurgeMask = 0;
    int32_t CoinSourceFilter = SourceSubtree;
    int32_t CoinErrorFilter = 0;    // 0 all, 1 exclude mint errors, 2 mint errors only
    int32_t CoinPaperFilter = 0;    // 0 both, 1 coins only, 2 paper money only
    bool ThemeMultiplex = false;
    QString StoredIn;
    int32_t ForexSort = 0;          // 0 none, 1 code, 2 country, 3 rate up, 4 rate down
    QString description;
    uint8_t SelectedTheme = 0;      // theme copies only, not stored
    uint16_t Databases = 0;         // not stored
};

// The parameter file name of a report: its name with ".FR3" or ".FrF" (any
// case) taken off, plus ".FrF". Names may hold dots ("U.S. coins"), so the
// extension is not guessed from the last dot.
QString ParamFileName(const QString &reportName);
// The template file name of a parameter file name: base name + ".FR3".
QString TemplateFileName(const QString &streamName);

// The parameter list in the tagged value stream, always at version 6.
QByteArray WriteParamInfo(const tParamInfo &info);
// Reads the values the file's version holds into info (the others keep
// their values). Throws StreamReadError for a damaged list.
void ReadParamInfo(const QByteArray &bytes, tParamInfo &info);

// Resets info to the defaults of a report without a parameter file, with
// StreamName = ParamFileName(name); then reads the parameter file from
// folder when there is one (its name matched ignoring case). Throws
// StreamReadError for a damaged file.
void LoadParamInfo(const QString &folder, const QString &name, tParamInfo &info);
// Writes info to the parameter file of name in folder through a temporary
// file; an existing file (matched ignoring case) is replaced. Throws
// std::runtime_error when the file cannot be written.
void SaveParamInfo(const QString &folder, const QString &name, const tParamInfo &info);
