#pragma once
// A small collection for the coin-entry and entry-editor tests: a country
// with two series, their price rows and entries, and page hooks standing in
// for the coin grid (the list of the selected series in collection order,
// sorted by year and mint). Every hook call is logged by name.
#include <memory>

#include <QStringList>

#include "core/model/mainstate.h"

struct tCoinFixture {
    tCoinFixture();

    std::unique_ptr<tMainState> State = std::make_unique<tMainState>();
    tMainState &s = *State;
    tnodeinfo *Country = nullptr;  // "Land"
    tnodeinfo *Cents = nullptr;    // the selected series
    tnodeinfo *Dimes = nullptr;
    // Names of the hooks called, in order.
    QStringList Log;

    // A price row of a series (Cents by default), in PriceList; in
    // CurrPriceList too when that series is selected.
    tPriceInfo *AddPrice(int year, const QString &mint, const QString &variety = {}, const QString &gm = {},
                         tnodeinfo *series = nullptr);
    // An entry of a series (Cents by default) with the next item number,
    // listed when its series is selected.
    tCoinInfo *AddCoin(int year, const QString &mint = {}, tnodeinfo *series = nullptr);
    // Selects a series: CurrPriceList and the coin list follow.
    void Select(tnodeinfo *series);
    // The entry shown at a row of the coin list.
    tCoinInfo *Row(int i) const { return s.CurrCoinList.at(static_cast<size_t>(i)); }
    int Calls(const QString &hook) const { return static_cast<int>(Log.count(hook)); }
};
