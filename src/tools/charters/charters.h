#pragma once
// The national bank charter list: the historical national banks of the
// United States (one record per bank name), which denominations each issued
// in ten note series, and the filters and column orders of the list.
#include <array>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

constexpr int CharterSeriesRows = 10;
constexpr int CharterDenominations = 9;
constexpr int CharterSortCount = 5;

// One bank under one of its names.
struct tNBN {
    int32_t Charter = 0;
    uint8_t NameNo = 1;      // which name of the charter, 1..5
    QString BankName;        // expanded, at most 60 characters
    QString State;           // 2 characters
    QString City;            // at most 22 characters
    QString County;          // at most 17 characters
    // Rank (0-based) among all records in the five orders of SortOrderIndex.
    std::array<uint16_t, CharterSortCount> SortOrder{};
    // Per series row, bit d set when the bank issued denomination d.
    std::array<uint16_t, CharterSeriesRows> SeriesIssued{};
    uint16_t CharterYear = 0;
};

// The five orders kept in SortOrder.
enum tCharterOrder : int {
    OrderCharter = 0,  // charter number
    OrderState = 1,    // state, then charter number
    OrderCounty = 2,   // county, then state, then charter number
    OrderCity = 3,     // city, then county
    OrderName = 4,     // bank name ignoring case: the stored order
};

// The sort buttons "Charter", "Bank name", "City", "State", "County" in
// that order, to the order each uses.
tCharterOrder ColumnSortOrder(int button);

const QStringList &CharterSeriesCaptions();        // "Original series" ...
const QStringList &CharterDenominationCaptions();  // "$1" ... "$1000"
// Whether the symbol of denomination d in series row s can be chosen: the
// notes of $5 to $100 were issued in every series, the others only in some.
bool CharterSymbolEnabled(int denomination, int series);

// The full name of a stored, abbreviated one: "X" is the city's First
// National Bank; otherwise the first occurrence of each abbreviation is
// written out, "C" standing for the city.
QString ExpandBankName(const QString &stored, const QString &city);

// Reads an "NBlist" stream, expanding the names; throws StreamReadError
// when it is damaged, its end tag included.
std::vector<tNBN> ReadBanks(const QByteArray &data);
// Writes banks in the same form, each with its stored name (the table
// generator, tests).
QByteArray WriteBanks(const std::vector<tNBN> &banks, const QStringList &storedNames);
// The banks embedded in the program.
std::vector<tNBN> EmbeddedBanks();

// Ranks every bank in the five orders (the generator, before writing).
void RankBanks(std::vector<tNBN> &banks);

// A filter of the list.
struct tCharterFilter {
    enum tKind { None, Symbol, ByDenomination, BySeries } Kind = None;
    int Denomination = -1;
    int Series = -1;
};
bool PassesFilter(const tNBN &bank, const tCharterFilter &filter);
// "Only banks which issued ... notes are shown"; empty for no filter.
QString FilterText(const tCharterFilter &filter);
// Indexes of the banks that pass, in list order.
std::vector<int> FilterBanks(const std::vector<tNBN> &banks, const tCharterFilter &filter);
// Orders shown (indexes into banks) by the order of a sort button.
void SortShown(const std::vector<tNBN> &banks, std::vector<int> &shown, int button);

// [series row][denomination]: how many banks issued that note.
using tIssueCounts = std::array<std::array<int, CharterDenominations>, CharterSeriesRows>;
tIssueCounts IssueCounts(const std::vector<tNBN> &banks);
