#pragma once
// The bullion window's arithmetic: weights converted between seven units by
// a fixed factor table, the purity calculator (weight, purity or metal
// content from the other two), the value of a troy-ounce weight at the four
// spot prices, and what closing the window stores.
#include <array>
#include <optional>

#include <QChar>
#include <QString>

#include "core/model/mainstate.h"

// The conversion fields, top to bottom.
enum tWeightUnit : int {
    UnitGrains = 0,
    UnitPennyweights,
    UnitGrams,
    UnitTroyOunces,
    UnitTroyPounds,
    UnitAvoirdupoisOunces,
    UnitAvoirdupoisPounds,
};
constexpr int WeightUnitCount = 7;

// Grams in a troy ounce, as the purity calculator uses it.
constexpr double GramsPerTroyOunce = 31.1034768;

// x in unit `from` expressed in unit `to`, by the window's own factor table
// read in the direction asked (each direction has its own factors, so a
// conversion there and back need not give x again). x itself when from == to.
double ConvertWeight(double x, int from, int to);

// A number text fitted to a field of at most maxLength characters: cut
// before its decimal separator when too long, empty when even the whole
// part is too long.
QString FitNumberText(const QString &text, int maxLength, QChar decimalSep);

// Everything a typed conversion field gives the others.
struct tWeightConversion {
    std::array<QString, WeightUnitCount> Texts;  // the typed unit's entry is left empty
    double TroyOunces = 0;                       // unrounded, for the value labels
};
// The other fields' texts ("0.###", fitted to their lengths) for x typed in
// unit `from`.
tWeightConversion ConvertWeights(double x, int from, const std::array<int, WeightUnitCount> &maxLengths,
                                 QChar decimalSep);

// A number typed into a field; 0 when the text is not one.
double ReadNumber(const QString &text, QChar decimalSep);

// The four spot prices times a troy-ounce weight, rounded to the
// ten-thousandth; none when a product does not fit the money range.
std::optional<std::array<Money, 4>> MetalValuesFor(const std::array<Money, 4> &spot, double ounces);
// The value labels' texts ("0.00"), all empty when the values cannot be had.
std::array<QString, 4> MetalValueTexts(const std::array<Money, 4> &spot, double ounces);

// Which value the purity calculator computes.
enum tPurityMode : int { PurityModeWeight = 0, PurityModePurity = 1, PurityModeContent = 2 };

// What the calculator shows in a mode: the computed value's input is hidden
// (its result stands there instead) and its frame marked; its unit shows
// only for a defined result. Indexes follow the modes.
struct tPurityLayout {
    std::array<bool, 3> InputShown{};
    std::array<bool, 3> UnitShown{};
    std::array<bool, 3> Marked{};
};
tPurityLayout PurityLayout(int mode, bool defined);

struct tPurityResult {
    QString Text;         // "34.5594", "<Undefined>" or "None"
    bool Defined = false; // the unit label of the computed value shows
    double Content = 0;   // troy ounces the value labels price; 0 for none
};
// weight in grams, purity in percent (a fraction below 1 counts as that
// share of 100 %), content in troy ounces.
tPurityResult PurityCalc(int mode, double weight, double purity, double content);

// The number in a purity list item: "(Sterling) 92.5%" gives "92.5"; a text
// without ")" is returned as it is.
QString PurityFromCombo(const QString &text);
// The purity list, top to bottom.
const std::array<QString, 10> &PurityPresets();

// A spot field's text when it takes the focus: the thousands separators of
// the formatted amount would stand in the way of typing.
QString SpotFieldEnterText(const QString &shown, QChar decimalSep);
// Its text when the focus leaves it: the number typed as "0.00" (0 when it
// is none). The text only: the price typed is kept as typed.
QString SpotFieldExitText(const QString &typed, QChar decimalSep);
// The window's working prices after typing: the fields typed into give
// their amounts, the others keep the stored prices in full precision (a
// price in another currency has four decimals, and the field shows two).
std::array<Money, 4> TypedSpotPrices(const std::array<Money, 4> &stored, const std::array<QString, 4> &texts,
                                     const std::array<bool, 4> &typed, QChar decimalSep);

// Whether closing the window has anything to store: a spot price that
// differs from the stored one (in full precision), or the automatic-update
// choice.
bool SpotPricesChanged(const std::array<Money, 4> &stored, const std::array<Money, 4> &typed, bool storedAuto,
                       bool typedAuto);

// Closing: the typed prices and the automatic-update choice become the
// program's; when something changed, the changed ones are written to the
// settings with today as the prices' date. Prices are kept in the settings in US dollars
// (start-up reads them as such), so prices typed in another active currency
// are converted back before they are written. Returns whether anything
// changed.
bool CloseBullion(tMainState &s, const std::array<Money, 4> &typed, bool autoSpot, int today);
