#pragma once
// The maintainer's paste-price tool: a column of prices copied from a
// catalogue text is cleaned down to one rising run and written into the
// grade slots of one price entry, with value codes for the slots below the
// start, the slots skipped and the slots past the last price.
#include <array>
#include <functional>

#include <QChar>
#include <QString>
#include <QStringList>

#include "core/model/model.h"

// The tool's settings file in the Other folder.
extern const char *const PastePriceIniName;  // "PastePrice.ini"

// Mint-state slots are 0 to 29, proof slots 30 to 40.
constexpr int FirstProofSlot = 30;
// Which kinds of grade are chosen: 1 mint state, 2 proof, 3 both.
constexpr int StrikeMint = 1;
constexpr int StrikeProof = 2;
int StrikeOf(const std::array<bool, GradeSlots> &checked);

// True when the line holds a character other than a blank, "$", ",", "."
// and the digits.
bool HasForeignChars(const QString &line);

// Keeps one falling-upward run of prices at the bottom: read from the last
// line up, a price line stays (digits and the decimal separator only) while
// it is below the price under it; the first that is not ends the run and
// goes with every line above it. Blank lines and lines with other
// characters go. The kept lines, top to bottom, rise strictly.
QStringList CleanPastedPrices(const QStringList &lines, QChar decimalSep);
// Drops the lines that are blank after trimming.
QStringList RemoveBlankLines(const QStringList &lines);

// The 23 value-code names, item i standing for code i + 1.
QStringList ValueCodeItems();
// The stored value of a code box's item; 0 for no item (-1) or one past the list.
Money CodeItemValue(int itemIndex);

// What the window's controls say.
struct tPastePriceChoice {
    std::array<bool, GradeSlots> Checked{};
    int StartIndex = 0;  // the slot of the checked radio button
    int Prerun = 0;      // item of "Grades below"
    int Midrun = 0;      // item of "Grades skipped"
    int Postrun = 0;     // item of "Grades above"
};

// Writes the prices into the run of slots the choice names (0 to 29 when
// only mint-state grades are checked, 30 to 40 when only proof grades are),
// reading each line with the decimal separator the cleaning kept. Returns
// false and leaves values untouched when the choice names no single run.
bool PastePrices(std::array<Money, GradeSlots> &values, const tPastePriceChoice &choice, const QStringList &lines,
                 QChar decimalSep);

// "PastePrice.ini": missing keys take their defaults (unchecked, 0).
tPastePriceChoice ReadPastePriceSettings(const QString &path);
// Writes every key; throws std::runtime_error when the file cannot be written.
void WritePastePriceSettings(const QString &path, const tPastePriceChoice &choice);

struct tMainState;
// A paste into a price entry of the loaded lists: the undo snapshot is
// recorded first (recordUndo, when given), then the prices are written and
// the entry's country list is marked modified. Returns false, changing
// nothing, when the choice names no single run.
bool PasteIntoPriceEntry(tMainState &s, tPriceInfo &entry, const tPastePriceChoice &choice, const QStringList &lines,
                         QChar decimalSep, const std::function<void(tPriceInfo &)> &recordUndo);
