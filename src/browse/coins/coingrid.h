#pragma once
// The list behind the Coins page: which entries of the selected series are
// rows (the Have/Need/Sell/Sold view filter), their order (up to three sort
// keys set by header clicks), the current row and the multi-selection made
// by clicks, and the totals of a multi-selection. Plain code over the shared
// state; the grid widget only shows what these functions leave in
// CurrCoinList, CoinGridRow and the entries' selected flags.
#include <QString>

#include "core/model/mainstate.h"

// A sort key not in use; a negative key ends the key list.
constexpr int NoSortKey = -9999;
// Ticks of the one-second housekeeping timer during which a header click
// adds the next sort key instead of starting a new sort.
constexpr int SortRefineTicks = 3;

// The valuation through the state's hook: the coin's price entry or null,
// with value set to its worth (0 and null when the hook is not installed).
tPriceInfo *LookUpCoinValue(tMainState &s, tCoinInfo &coin, Money &value, bool currPriceListOnly, bool dumbGet);

// ---- View filter ----

// Whether an entry is listed: a count of a kind whose view is on, or no
// counts at all.
bool PassesViewFilter(const tMainState &s, const tCoinInfo &coin);
// Rebuilds CurrCoinList from CoinList (in collection order, unsorted) with
// the entries of the selected series that pass the filter, plus ForceCoin
// whatever the filter says. A current row past the end moves to the last
// row; Lastrow takes the current row. Returns the number of entries hidden.
int ApplyViewFilter(tMainState &s, tCoinInfo *ForceCoin);
// The hidden-items label: "1 item hidden.", "n items hidden." or empty.
QString HiddenItemsText(int hidden);
// The text of WarningLabelCoins: why the list is empty; empty when it is not.
QString WarningPanelCoinsText(const tMainState &s);

// ---- Sort ----

// Sorts CurrCoinList in place by CoinSortOrder, ascending, keeping entries
// that are equal on every key in their order. Sorting by a price-dependent
// column (Price, Value, Change, Catalog, Extended) first refreshes every
// entry's PriceInfo and TempValue. Paints nothing; the caller refreshes.
void SortFolderCoins(tMainState &s);

// A click on the header of the column with this OriginalIndex: sets the
// next sort key (see NextCoinSort), sorts when a key changed and makes the
// entry that was current the current row again. Returns whether it sorted.
bool CoinGridHeaderClick(tMainState &s, int originalIndex);
// One tick of the housekeeping timer: counts the refinement window down and
// ends it when it has run out.
void CoinSortTick(tMainState &s);

// ---- Current row and multi-selection ----

// The grid's current row moves to row: LastItemNumberAccessed takes its
// item number and the entry editor is refilled
// (the FillCoinEditor event). Rows outside CurrCoinList are ignored; returns
// whether the row was taken.
bool CoinGridSelectCell(tMainState &s, int row);
// A click on row after the current row has moved there: with Ctrl the mark
// of the entry at Lastrow is inverted; with Shift exactly the rows between
// Lastrow and row are marked; a plain click clears every mark. Lastrow then
// takes the current row.
void CoinGridCellClick(tMainState &s, int row, bool ctrl, bool shift);
// Makes the entry's row current; returns its index, or -1 (and changes
// nothing) when the entry is not listed.
int SelectCoin(tMainState &s, const tCoinInfo *coin);
// The top row that shows row index towards the middle of a grid with
// visibleRows rows.
int SelectCoinTopRow(int index, int visibleRows);
// The entries that a multi-selection covers: the marked ones and the one on
// the current row, in list order.
std::vector<tCoinInfo *> SelectedCoins(const tMainState &s);

// ---- Totals of a multi-selection ----

struct tSelectionSummary {
    // SumPanel is shown (and ThumbnailPanel hidden) for two or more entries.
    bool Visible = false;
    int Count = 0;
    QString Selected;   // SelectedSumLabel
    QString Price;      // PriceSumLabel
    QString Value;      // ValueSumLabel
    QString Have;       // HaveSumLabel
    QString Need;       // NeedSumLabel
    QString Sell;       // SellSumLabel
    QString Sold;       // SoldSumLabel
    // The first of platinum, palladium, gold and silver above 0.01 ounces.
    bool MetalVisible = false;
    QString MetalName;    // MetalNameLabel
    QString MetalAmount;  // MetalAmountLabel
};

tSelectionSummary UpdateSelectionSummary(tMainState &s);
