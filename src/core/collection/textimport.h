#pragma once
// Text import: coin entries from a text file, one entry per line with
// comma-separated fields (".TXT", ".CSV", ".OVI"). Lines are read into a
// staging list with the accepted and rejected lines reported; accepting
// moves the staged entries into the collection. The window (TImportForm)
// only starts the run, shows its counts and accepts or cancels.
//
// Fields by position: 0 series number, 1 item number, 2 year, 3 mint,
// 4 variety, 5 grade, 6 grade modifier, 7 graded by, 8 buy date, 9 buy
// price, 10 sell date, 11 sell price, 12 price lock, 13 comment,
// 14 quantity, 15 what the quantity counts, 16 notes, 17 stored in,
// 18 mint error, 19 obverse picture, 20 reverse picture, 21 + k the value
// of user field k.
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

constexpr int ImportRequiredFields = 21;
// Item numbers above this are taken for typing errors and renumbered.
constexpr int ImportMaxItemNumber = 10000000;

// The field-count filter's choices, in the filter box's order.
QStringList ImportFilterChoices();
// Whether a line of fieldCount fields passes filter choice.
bool ImportFilterPasses(int choice, int fieldCount);

// Up to eight upper-case names of a grade slot 0..40: its short name, the
// same without hyphen, and the common other spellings.
QStringList GradeAliases(int slot);
// The grade slot a text names: an alias (the last match wins), else its
// leading digits; empty gives 0. A number outside -1..40 names no grade and
// gives -1.
int ParseGrade(const QString &text);
// The slot's short name ("MS-65"); empty for -1 and out of range.
QString GradeShortName(int slot);

// Puts every comma-separated piece that holds a blank and no double quote
// in double quotes, so that blanks inside a field never split it.
QString QuoteSpacedFields(const QString &line);
// The fields of a line after its comment is cut: comma text.
QStringList SplitImportLine(const QString &line);

// A line's fields as the import reads them: separated by commas, blanks
// around a field dropped; a field that begins with a double quote runs to
// the closing one ("" inside stands for one), so it may hold commas. Blanks,
// tabs and a stray double quote inside an unquoted field are part of it
// (Box 3" tray). Error names why a line cannot be split with certainty (a
// quote never closed, text after a closing quote, a quoted stretch begun
// inside a field that crosses a comma); Fields is then empty.
struct tImportFields {
    QStringList Fields;
    QString Error;
};
tImportFields SplitImportFields(const QString &line);
// The line without its comment (from the first "//"), trimmed.
QString CutImportComment(const QString &line);
// A price with only its digits and "." kept, read with "." as the decimal
// separator whatever the locale; 0 when that is no number.
Money ReadImportPrice(const QString &text);

// The file's text: UTF-8 when the bytes are valid UTF-8 (a byte-order mark
// dropped), else Windows-1252.
QString DecodeImportText(const QByteArray &bytes);
// The lines of a text, whatever its line ends.
QStringList ImportTextLines(const QString &text);

// One import run over the lines of a file: the staged entries and what
// the window lists.
class tTextImport {
public:
    // filter: a choice of ImportFilterChoices; matchPrices: keep only
    // entries that match a price-list entry.
    tTextImport(tMainState &s, int filter, bool matchPrices);

    // Handles one line of the file (lineNumber counts from 1, blank and
    // comment lines included).
    void AddLine(const QString &line, int lineNumber);

    OwningList<tCoinInfo> ImportList;  // accepted, not yet in the collection
    QStringList AcceptedLines;         // what Memo1 lists
    QStringList RejectedLines;         // what Memo2 lists
    int Imported = 0;
    int Rejected = 0;

private:
    void Reject(const QString &message);
    bool MatchesPriceEntry(const tCoinInfo &coin) const;
    QString UserFieldValues(const QStringList &fields) const;

    tMainState &s_;
    int filter_;
    bool matchPrices_;
    std::unordered_map<int32_t, tnodeinfo *> series_;   // first in pre-order per number
    std::unordered_set<int32_t> takenNumbers_;          // item numbers of the collection
    std::unordered_multimap<int32_t, const tPriceInfo *> prices_;
};

// Runs the import over a whole file's lines. keepGoing is asked before
// each line (the window lets its events run there); false stops the run
// after the line before. Raises std::runtime_error when the file cannot be
// read.
void ImportFile(const QString &path, tTextImport &run, const std::function<bool()> &keepGoing = {});

// Moves the staged entries into the collection, from the last to the first:
// only they are tracked afterwards, all are put in the report bin, entries
// without item number get the next ones, and the item-number counter is
// raised past every accepted number. Marks the collection modified.
void AcceptImport(tMainState &s, OwningList<tCoinInfo> &importList);
