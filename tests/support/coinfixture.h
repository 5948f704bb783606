#pragma once
// Coin lists for the coin-grid tests: a state with one selected series,
// entries added from field initialisers, and a stand-in valuation that
// answers from a table and counts its calls.
// Tests build entries with designated initialisers ({.Year = 1910}); GCC
// warns about every member left at its default, which is the point.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include <map>
#include <memory>

#include "core/model/mainstate.h"

constexpr int FixtureSeries = 2001;
constexpr int OtherSeries = 2002;

// A state whose selected series is FixtureSeries ("Lincoln Cents"); a
// second series OtherSeries exists beside it.
std::unique_ptr<tMainState> NewCoinState();

// Appends an entry to CoinList; its CoinType is FixtureSeries unless the
// initialiser gives one.
tCoinInfo *AddCoin(tMainState &s, tCoinInfo init = {});

// Appends a user-defined field.
void AddField(tMainState &s, int fieldType, const QString &label = {});

// Prices through the program's own valuation: Set gives a coin a price
// entry in the state's price list (and the current price list) keyed to the
// coin, with the value at the coin's grade, so the real look-up finds it. A
// coin without a grade is given slot 0, a coin without a variety a variety of
// its own ("#1", "#2" ...), so each finds its own entry and no other.
struct tCoinPrices {
    tMainState *S = nullptr;
    int Made = 0;

    void Install(tMainState &s);
    // A price entry in the state's lists that no coin matches yet.
    tPriceInfo *Price(const QString &catalog = {}, int metal = 0, float content = 0);
    // Keys the entry (a new one when none) to the coin and stores value at
    // the coin's grade.
    void Set(tCoinInfo *coin, Money value, tPriceInfo *price = nullptr);
    // Keys the entry to the coin without changing its values.
    void Link(tCoinInfo *coin, tPriceInfo *price);
    // An entry that only a look-up ignoring the grade modifier finds: it is
    // keyed to the coin with another modifier and goes first in the lists.
    void SetIgnoringModifier(tCoinInfo *coin, tPriceInfo *price);
};

// Money from whole and hundredths for readable tables: M(12.5).
inline Money M(double amount)
{
    return MoneyFromDouble(amount);
}
