#pragma once
// What a coin entry is worth in the active currency, currency conversion of
// face values and amounts, and the inflation adjustment by the built-in
// yearly price index.
#include <array>
#include <span>

#include <QString>

#include "core/model/mainstate.h"

// Special value codes. A negative grade value v holds the code -(v / 10,000)
// (whole units, truncated toward zero); the numbers are stored in price files.
enum tValueCode : int {
    CodeFaceValue = 1,   // "Face value"
    CodeProofOnly = 2,   // "Proof only"
    CodeMelt = 3,        // "Melt"
    CodeRare = 4,        // "Rare"
    CodeDashes = 5,      // "-------"
    CodeExtinct = 6,     // "Extinct"
    CodeSplit0 = 7,      // "Split 0%"; code 7 + X/10 is "Split X%"
    CodeSplit100 = 17,   // "Split 100%"
    CodeNA = 18,         // "n/a"
    CodeMelt5 = 19,      // "Melt+5%"; code 18 + k is melt plus 5k percent
    CodeMelt25 = 23,     // "Melt+25%"
};

constexpr Money ValueCodeToMoney(int code) { return -static_cast<Money>(code) * MoneyScale; }
// The code of a negative grade value; 0 for a value of 0 or more. Kept in 64
// bits: a large negative amount narrowed to int could wrap round to a real
// code and be valued as one.
constexpr int64_t MoneyToValueCode(Money v) { return v < 0 ? -(v / MoneyScale) : 0; }
// The name of a code as the price grid lists it; empty for an unknown code.
QString ValueCodeName(int64_t code);
// True when v is exactly a "Split" code.
bool IsSplitCode(Money v);
// A grade value of -1.0000 or more counts as priced for interpolation: a
// price, or the code "Face value".
constexpr bool IsPricedValue(Money v) { return v >= -MoneyScale; }

// First and last year of the built-in price index (1967 = 1000).
constexpr int FirstIndexYear = 1800;
constexpr int LastIndexYear = 2021;
// The index value of a year; 0 outside FirstIndexYear..LastIndexYear.
int PriceIndexOf(int year);
// Amount in FromYear's money expressed in ToYear's money; 0 when either year
// lies outside the index or the result does not fit in money.
Money InflationAdjust(Money Amount, int FromYear, int ToYear);

// A face value in currency InCode expressed in the active currency; 0 for an
// empty code, "-", an unknown code or a conversion that cannot be made.
Money ConvertFaceValue(const tMainState &s, const QString &InCode, float InAmount);
// An amount in the active currency expressed in ToForexCode, or with Reverse
// the other way round; unchanged for an empty or unknown code or a zero rate,
// 0 when the converted amount does not fit in money.
Money ConvertForex(const tMainState &s, Money InVal, const QString &ToForexCode, bool Reverse);

// Solves the "Split" run R[0..n] (ten-thousandths, interior slots Split
// codes) and returns the price at position Index. 0 when the run cannot be
// solved.
Money SolvePriceSpline(std::span<const Money> Run, int Index);
// The interpolated price of slot Grade of a price entry's values.
Money InterpolatePrice(const std::array<Money, GradeSlots> &Values, int High, int Grade, Money FaceValue);

// Melt value of a price entry at the spot prices of the state; 0 for metals
// other than 1..4 and for a value that does not fit in money.
Money MeltValue(const tMainState &s, const tPriceInfo &PriceInfo);
// The value of one coin given its price entry.
Money CoinAndPriceToValue(const tMainState &s, const tPriceInfo &PriceInfo, const tCoinInfo &CoinInfo);
// Whether price entry p is the entry of a coin that takes its prices from
// series: same series, year, mint and variety (letters A to Z in any case),
// and the same grade modifier unless DumbGet.
bool PriceEntryMatches(const tPriceInfo &p, int32_t series, const tCoinInfo &coin, bool DumbGet);
// Finds the coin's price entry and its value. Returns the entry or null;
// Value receives the amount. Never fails.
tPriceInfo *GetCoinValue(const tMainState &s, const tCoinInfo &MyCoinInfo, Money &Value, bool CurrPriceListOnly,
                         bool DumbGet);
