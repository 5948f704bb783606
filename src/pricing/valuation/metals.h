#pragma once
// The metals a price entry can be struck in. Metal numbers are stored in
// price entries (tPriceInfo.Metal); 0 means none, 1..4 are the precious
// metals priced from the spot prices.
#include <QString>

#include "core/model/mainstate.h"

// Metal numbers stored in price entries; keep these values.
constexpr int MetalNone = 0;
constexpr int MetalSilver = 1;
constexpr int MetalGold = 2;
constexpr int MetalPalladium = 3;
constexpr int MetalPlatinum = 4;
constexpr int MetalCount = 118;

// The name of metal number n (1..118), empty for any other number.
QString MetalName(int number);

// Fills MetalArray with the 118 metals sorted by name, letters A to Z
// compared without regard to case.
void LoadMetals(tMainState &s);

// The MetalArray position of metal number inval (the last match), -1 when
// inval is 0 or less or not in the array.
int MetalToIndex(const tMainState &s, int inval);
// The metal number at MetalArray position inval, 0 when out of range.
int IndexToMetal(const tMainState &s, int inval);
