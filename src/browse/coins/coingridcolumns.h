#pragma once
// The coin grid's columns: their titles and default widths, and the layout
// the user makes by moving and resizing them, which travels with the
// collection as the column data string: the comma text of OriginalIndex and
// whole width for each column from left to right, e.g. "0,80,2,80,1,80".
// A column's OriginalIndex is its place in the column table (0..23 the fixed
// columns, 24 + k user field k) and never changes when it is moved.
#include <array>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

struct tCoinColumnDef {
    const char *Title;
    int ResetWidth;    // "Reset table columns"
    int OldFileWidth;  // collection files that carry no column data
};

extern const std::array<tCoinColumnDef, 24> CoinColumnTable;
// The reset width of a user-field column.
constexpr int UserColumnWidth = 100;

// The header text of a column: the table's title ("Bank" for "Mint" while
// the selected series is paper money) or the user field's label, followed
// by the sort mark of the key it is ("❶", "❷", "❸").
QString CoinColumnTitle(const tMainState &s, int originalIndex);

struct tGridColumn {
    int OriginalIndex = 0;
    double Width = 0;
    bool operator==(const tGridColumn &) const = default;
};

// The columns in screen order, left to right.
class tColumnLayout {
public:
    std::vector<tGridColumn> Columns;

    int Count() const { return static_cast<int>(Columns.size()); }
    // The screen position of a column, -1 when the grid has none such.
    int PositionOf(int originalIndex) const;
    // Moves the column at screen position from to position to.
    void Move(int from, int to);

    // Rebuilds the user-field columns for udfCount fields: every column
    // past the fixed ones goes, the fixed ones that are missing and one per
    // field are added at the right end at their reset widths. The fixed
    // columns keep their order and widths.
    void Setup(int udfCount);
    // The column data string; empty for a grid without columns.
    QString Pack() const;
    // Applies a column data string: pair i gives its column its width and
    // moves it to screen position i (the last position when i lies past
    // it). Pairs naming no column are skipped, unreadable numbers read as
    // 0 and an odd last item is ignored. Applying a string twice changes
    // nothing the second time.
    void Unpack(const QString &Instr);
    // "Reset table columns": OriginalIndex order and the reset widths.
    void Reset();
    // The widths of collection files that carry no column data, for the
    // first 24 positions; later columns keep theirs.
    void ResetOldFileWidths();
};
