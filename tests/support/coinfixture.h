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

// Valuation by table: a coin listed here has the given price entry and
// value; others have none and 0. A locked coin is worth its locked price
// as the real valuation makes it. Installs itself into the state's hooks
// (GetCoinValue and ValueCodeName, which names codes "code N").
struct tFakeValuation {
    struct tAnswer {
        tPriceInfo *Price = nullptr;
        Money Value = 0;
        // With dumbGet (grade modifier ignored) another entry may match.
        tPriceInfo *DumbPrice = nullptr;
    };
    std::map<const tCoinInfo *, tAnswer> Answers;
    int Calls = 0;
    OwningList<tPriceInfo> Prices;

    void Install(tMainState &s);
    // A price entry owned by the fixture.
    tPriceInfo *Price(const QString &catalog = {}, int metal = 0, float content = 0);
    void Set(const tCoinInfo *coin, Money value, tPriceInfo *price = nullptr);
};

// Money from whole and hundredths for readable tables: M(12.5).
inline Money M(double amount)
{
    return MoneyFromDouble(amount);
}
