#pragma once
// Commands that work across series: the tracking marks (track, untrack,
// track the report bin, move the tracked entries into a series), stepping
// to the next tracked entry, to the previous or next item number and to an
// item number typed in, and the window steps that show what was found.
// Every change of a mark or a series marks the collection modified, so
// the marks and the moves are stored with it.
#include <functional>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

// The window steps that show a series or an entry once it is found; unset
// ones are skipped. The series selection itself runs through the state's
// SeriesSelected hook.
struct tNavigationSeams {
    std::function<void()> BigImageDown;
    std::function<int()> ActivePage;                  // tMainPage of the main tab control
    std::function<void(int page)> ShowPage;
    std::function<void(tnodeinfo *node)> MakeTreeNodeVisible;
    std::function<void()> RenderTree;
    std::function<void()> AddRecent;
    std::function<void(bool keepPos)> BuildDateMintBoxList;
    // The Coins page's view filter, showing forced even when the filter
    // hides it (null: none forced).
    std::function<void(tCoinInfo *forced)> ApplyViewFilter;
    std::function<void()> SortFolderCoins;
    std::function<void(tCoinInfo *coin)> SelectCoin;
    std::function<void(int row)> SetCoinGridRow;     // makes the row current and scrolls to it
    std::function<void()> RefreshPricing;            // price columns and rows of the Pricing page
};

// ---- Showing what was found ----

// Selects a series on the Series page: the enlarged picture closes, the
// Series page shows and the tree scrolls to it.
void ShowFoundSeries(tMainState &s, tnodeinfo *node, const tNavigationSeams &nav);
// Selects a series from the catalogue finder: as ShowFoundSeries, but the
// page stays; the Pricing page, when showing, shows the series' prices.
void ShowCatalogSeries(tMainState &s, tnodeinfo *node, const tNavigationSeams &nav);
// Selects the entry's series and shows the entry on the Coins page
// (item finder and item navigation).
void ShowCoinEntry(tMainState &s, tCoinInfo *coin, const tNavigationSeams &nav);

// ---- Tracking marks ----

// Track (or untrack) every entry of the series and the series below it.
// Returns how many marks changed.
int SetTrackInSeries(tMainState &s, tnodeinfo *top, bool track);
// Tracks the entries in the report bin of the series and the series below
// it; no mark is cleared.
int TrackBinCoinsInSeries(tMainState &s, tnodeinfo *top);
// Clears the mark of every entry of the collection.
int ClearAllTracks(tMainState &s);
// Marks the collection modified and updates the caption.
void MarkCollectionModified(tMainState &s);

// ---- Next tracked entry ----

struct tTrackedHit {
    tnodeinfo *Series = nullptr;
    tCoinInfo *Coin = nullptr;
};
// The next tracked entry from the selected series on, series by series in
// tree order with wrap-around; within the selected series after current
// (the entry on the grid's selected row, or null) on the first pass.
tTrackedHit FindNextTrackedCoin(const tMainState &s, const tCoinInfo *current);
inline const QString NoTrackedCoinsText = QStringLiteral("There are no tracked coins in this collection");
// "Find next tracked coin": selects it, or says that there is none.
void Findnexttrackedcoin1Click(tMainState &s, const tCoinInfo *current, const tNavigationSeams &nav);

// ---- Item numbers ----

// The entry with the next lower (next false) or higher item number than
// last, the first in CoinList order on a tie; nullptr at the ends.
tCoinInfo *ItemNeighbour(const tMainState &s, int32_t last, bool next);
// PreviousItem1Click / NextItem1Click: goes to that entry and remembers its
// number; nothing at the ends.
void PreviousItem1Click(tMainState &s, bool next, const tNavigationSeams &nav);
// The first entry with this item number; nullptr when none has it.
tCoinInfo *FindItemNumber(const tMainState &s, int32_t number);
struct tItemRange {
    bool Empty = true;
    int32_t Min = 0;
    int32_t Max = 0;
};
tItemRange ItemNumberRange(const tMainState &s);
// "(Range: a to b)", or "(Current collection is empty)".
QString ItemRangeText(const tItemRange &range);
inline QString NoSuchItemText(int32_t number)
{
    return QStringLiteral("There is no item #") + QString::number(number);
}

// ---- Moving tracked entries ----

// The tracked entries of other series than target, in CoinList order, and
// how many series they come from.
struct tTrackedMove {
    std::vector<tCoinInfo *> Coins;
    int SeriesCount = 0;
};
tTrackedMove CollectTrackedToMove(const tMainState &s, const tnodeinfo *target);
QString MoveTrackedQuestion(int coins, int series);
inline const QString UntrackAfterMoveText = QStringLiteral("Untrack the coins after they're moved");
// Why entries cannot be moved into target; empty when they can.
QString MoveTrackedRefusal(const tMainState &s, const tnodeinfo *target);
// Moves the entries into target and, when untrack, clears their marks.
void MoveTrackedCoins(tMainState &s, const std::vector<tCoinInfo *> &coins, tnodeinfo *target, bool untrack);
// "Move tracked coins here" on the selected series: asks, then moves.
// Returns how many entries moved.
int Movetracked1Click(tMainState &s, const tNavigationSeams &nav);
