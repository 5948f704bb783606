#pragma once
// The report bin: the entries a collector has set aside for reports. An
// entry is in the bin when its InBin flag is set; the flag is kept in the
// collection file, so every change of membership marks the collection
// modified. BinList is the snapshot the bin grid shows, in CoinList order.
#include <QString>
#include <Qt>

#include "core/model/mainstate.h"

// How many entries of the collection are in the bin.
int BinCount(const tMainState &s);

// The bin grid's current row kept within 0 .. size - 1 (-1 for no rows).
int ClampBinRow(int row, int size);

// Rebuilds s.BinList from the entries' flags, in CoinList order, and returns
// the grid's current row clamped to the new rows (-1 when the bin is empty).
int RefreshBinList(tMainState &s, int currentRow);

// The bin picture of the Coins page: the entry on the coin grid's current
// row changes to the opposite state, and every multi-selected entry of the
// series' list follows it. Returns how many entries changed.
int ToggleBinOfCurrentCoins(tMainState &s);

// Takes one entry out of the bin; false when it was not in it.
bool RemoveFromBin(tMainState &s, tCoinInfo *coin);

// Takes every entry out of the bin and clears BinList. Returns how many left.
int EmptyTheBin(tMainState &s);

// Puts every tracked entry of the series and of the series below it into
// the bin; no entry leaves it. Returns how many entries were added.
int PlaceTrackedCoinsInBin(tMainState &s, tnodeinfo *top);

// The nine columns of the bin grid, by their place in the design: a column
// the user moves keeps its content.
enum tBinColumnId {
    BinColItem,
    BinColSeries,
    BinColYearMintVariety,
    BinColGrade,
    BinColHave,
    BinColNeed,
    BinColSell,
    BinColSold,
    BinColLocation,
    BinColumnCount
};
QString BinColumnTitle(int column);
QString BinCellText(const tMainState &s, const tCoinInfo &coin, int column);
Qt::Alignment BinCellAlignment(int column);

// The names of the entry's series and of its ancestors below the root,
// from the top down, joined by " / ".
QString BinLocationText(const tCoinInfo &coin);

// The entry's grade title on its own series' scale (paper money's titles
// for a paper series); empty for no grade or a slot without a title.
QString BinGradeTitle(const tMainState &s, const tCoinInfo &coin);

// A coin picture of a bin entry as a file to load: the stored name made
// absolute through the image repository; empty when blank or missing.
QString BinCoinPicturePath(const tMainState &s, const QString &stored);
