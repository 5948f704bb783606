#pragma once
// The price list: which series' entries price a node, re-attaching entries to
// their series, the list's order, and the text forms of varieties, mintages
// and year-mint-variety labels.
//
// PriceList owns its entries. Entries leave it only through
// FreePriceEntries / RemovePriceEntries, which first clear every link to
// them (coins' cached PriceInfo, CurrPriceList); whoever adds, removes or
// reorders entries calls PriceListChanged.
#include <functional>
#include <unordered_set>

#include <QString>

#include "core/model/mainstate.h"
#include "core/model/varietytext.h"

// The series number whose price entries apply to a node.
int PickPriceSource(const tnodeinfo &InNode);

// Tells the valuation's series index that PriceList changed.
void PriceListChanged(tMainState &s);

// Frees the given entries of PriceList after clearing every link to them.
void FreePriceEntries(tMainState &s, const std::unordered_set<const tPriceInfo *> &doomed);
// Frees every entry for which pred holds; returns how many were freed.
int RemovePriceEntries(tMainState &s, const std::function<bool(const tPriceInfo &)> &pred);

// Attaches every entry to the node of its series. An entry whose series is
// gone from a country that is still in the tree is freed; one whose country
// is not in the tree stays, detached, for when the country returns. Throws
// before touching any entry when two nodes share a series number.
void ReFolderPrices(tMainState &s);

QString FormatMintage(int32_t Mintage, bool Approx);

// True when grade modifier a sorts after b ("DMPL" after "PL", else ordinal).
bool GradeModifierAfter(const QString &a, const QString &b);

// Sorts PriceList into price-list order and renews DateBits bit 0.
void ResortPrices(tMainState &s);

// Largest troy-ounce content or gram weight a price file can hold: it stores
// ten-thousandths in a 32-bit integer.
constexpr double MaxPriceFileMeasure = 214748.3647;
// True when a content or weight can be stored in a price file.
bool MeasureFitsPriceFile(float v);
