#pragma once
// The rules of the price grid window as plain functions: which entry and
// row kind a screen cell shows, where the selection may stand, the ink of a
// cell and the state of the four arrow buttons, the editor a row kind opens
// with its length limit and opening text, and what each key does in each
// editor. The window only carries out what these decide.
#include <utility>
#include <vector>

#include <QColor>
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"
#include "pricing/pricelists/pricegrid.h"

// ---- Screen cells ----

// What a screen cell shows: its column number (0 the titles, c the entry
// c - 1 of CurrPriceList), its row kind (-1 below the last kind) and the
// entry's index (-1 in the title column or past the last entry).
struct tPriceCellRef {
    int LCol = 0;
    int Kind = -1;
    int Entry = -1;
};
// The header rows stay put; the grade rows below them scroll with vValue.
int PriceRowKindAt(const std::vector<int> &xref, bool paper, int vValue, int screenRow);
tPriceCellRef PriceCellAt(const std::vector<int> &xref, bool paper, int hValue, int vValue, int entryCount,
                          int screenCol, int screenRow);
// The entry of the selected screen column, -1 in the title column or when
// the column shows no entry.
int SelectedPriceEntry(const tPriceGridGeometry &g, int selectedCol, int hValue, int entryCount);
// The selected cell kept inside the visible cells (column, row).
std::pair<int, int> ClampPriceSelection(const tPriceGridGeometry &g, int col, int row);

// ---- Ink and arrows ----

struct tPriceInk {
    QColor Ink;
    bool Bold = false;
};
// Titles are black; an entry's cells dim grey, black for the last entry of
// a run, bold dark blue for the entry matching the selected coin (hot).
tPriceInk PriceCellInk(int screenCol, int entry, int hot, bool runEnd);

struct tPriceArrows {
    bool Left = false, Right = false, Up = false, Down = false;
};
tPriceArrows PriceArrowStates(int hValue, int hMax, int vValue, int vMax);

// ---- Editors ----

enum class tPriceEditor { Data, Mint, GM, Mintage, Metal, Float, Value };
struct tPriceEditorChoice {
    tPriceEditor Editor = tPriceEditor::Value;
    int MaxLength = 0;  // 0: no limit of its own
};
tPriceEditorChoice PriceEditorFor(int kind);
// The text an editor opens with for the entry's row kind; a grade value
// holding a code opens with the code's list entry instead (PriceEditorCode).
QString PriceEditorText(const tPriceInfo &e, int kind, QChar decimalSep);
// The list index a grade value's editor opens with: the code - 1, or -1
// for an amount.
int PriceEditorCode(const tPriceInfo &e, int kind);

// What a key pressed in an editor does.
enum class tPriceKeyAction {
    Pass,             // the editor handles it as usual
    Drop,             // swallowed
    NextRow,          // commit and open the row below (wrapping)
    PreviousRow,      // commit and open the row above (wrapping)
    Restore,          // the value the editor opened with comes back
    PickDashes,       // the code "-------" is chosen at once
    PickSplit30,      // the code "Split 30%" is chosen at once
    ClearCodeAndType, // a code is shown: clear it, then the character is typed
    SelectByInitial,  // the metal list selects the first name with this letter
};
struct tPriceKey {
    int Key = 0;        // Qt::Key
    bool Control = false;
    QString Text;       // the character typed, empty for none
};
// kind: the edited cell's row kind; text: the editor's text before the
// key; codeShown: the value editor shows a list entry.
tPriceKeyAction PriceEditorKey(tPriceEditor editor, int kind, const tPriceKey &key, const QString &text,
                               bool codeShown, const tNumberSeps &seps);
// The list index whose name starts with the letter, ignoring case; -1 none.
int IndexByInitial(const QStringList &names, QChar letter);
