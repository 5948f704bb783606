#pragma once
// The rules of the "Search & Track" window as plain code: which series the
// search covers, which of its three buttons are enabled, what its nine
// counters say, and how the state of its criteria rows becomes the
// criteria. The window (ui/trackform.h) reads its controls into
// tTrackRowState records and shows what these functions give.
#include <array>
#include <vector>

#include <QString>

#include "browse/finders/trackcriteria.h"

// "Search in:" choices, in the order the drop-down lists them.
enum tTrackScope : int { ScopeEntireCollection = 0, ScopeSelectedSeries = 1 };

// The series whose subtree is searched: the selected series for
// "The currently selected series" (the root when none is selected), else
// the root.
const tnodeinfo *TrackScopeNode(const tMainState &s, int scopeChoice);

// The enabled state of "Clear existing tracks" (some entry in scope is
// tracked), "Track matching coins" (some untracked entry matches) and
// "Track non-matching coins" (some untracked entry does not match).
struct tTrackButtons {
    bool Clear = false;
    bool Track = false;
    bool TrackNon = false;
    bool operator==(const tTrackButtons &) const = default;
};
tTrackButtons TrackButtonStates(const tTrackCounts &counts);

// The counter texts, top to bottom: tracked, tracked matching, tracked not
// matching; untracked and its two; the total and its two.
constexpr int TrackCounterCount = 9;
std::array<QString, TrackCounterCount> TrackCounterTexts(const tTrackCounts &counts);

// The criteria rows built into the window, in their order; user-field rows
// follow them.
enum tBuiltInTrackRow : int {
    RowItemNumber,
    RowYear,
    RowGradedBy,
    RowStoredIn,
    RowComment,
    RowNotes,
    RowBuyPrice,
    RowSellPrice,
    RowValue,
    RowGrade,
    RowBuyDate,
    RowSellDate,
    RowMinHave,
    RowMinNeed,
    RowMinSell,
    RowMinSold,
    RowItemType,
    RowMetal,
    RowCatalog,
    RowMintError,
    RowPriceLock,
    BuiltInTrackRows
};

// What one row's controls hold, whatever their kind: the texts of edits
// and editable drop-downs, the chosen indexes of drop-downs (-1: none),
// the days of date pickers, a spin box's value and the number carried by
// the chosen item of the metal list.
struct tTrackRowState {
    bool Ticked = false;
    QString Text1, Text2;
    int Index1 = -1, Index2 = -1;
    int32_t Day1 = 0, Day2 = 0;
    int Quantity = 0;
    int ItemNumber = NoMetalChosen;
    // User-field rows: the field's place in UDFlist and its type.
    int FieldIndex = -1;
    int FieldType = -1;
};

// The criteria of the ticked rows (rows[0 .. BuiltInTrackRows) built in,
// then user-field rows); an unticked row sets nothing.
tTrackCriteria TrackCriteriaFromRows(const std::vector<tTrackRowState> &rows);
