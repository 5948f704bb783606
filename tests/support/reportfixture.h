#pragma once
// A small collection for report tests: a tree of a country with coin and
// paper-money series, price entries and coin entries, and a stand-in for
// valuation's price look-up.
#include <QString>

#include "core/model/mainstate.h"

class tReportValue;

struct tReportFixture {
    tMainState S;
    // Series
    tnodeinfo *US = nullptr;       // 100, denotes a country
    tnodeinfo *Cents = nullptr;    // 101, theme 0
    tnodeinfo *Wheat = nullptr;    // 102, below Cents, theme 0 and 4
    tnodeinfo *Notes = nullptr;    // 103, paper money, theme 4
    tnodeinfo *France = nullptr;   // 200, just below the root, new
    tnodeinfo *Francs = nullptr;   // 201

    tReportFixture();

    tCoinInfo &AddCoin(tnodeinfo *series, int year, const QString &mint, int inventory);
    tPriceInfo &AddPrice(tnodeinfo *series, int year, const QString &mint, const QString &variety = {},
                         const QString &gm = {});
    // The coin with that item number.
    tCoinInfo *Coin(int inventory);
};

// A value as a test expects to read it: its kind and its content ("text:abc",
// "money:12500", "<empty>"), so a wrong kind fails as clearly as a wrong value.
QString ShowReportValue(const tReportValue &v);
