#pragma once
// The entry editor of the Coins page without its widgets: how the value of
// one editor control is written into the entry on the current row and into
// every marked entry (multi-edit), each change leaving an undo record; the
// Delete command; and the lists and texts the editor shows. The panel
// (browse/coins/ui/coineditorpanel.h) reads its controls into a tEditorValue
// and calls StuffCoinInfo; nothing else writes editor values into entries.
#include <vector>

#include <QString>
#include <QStringList>

#include "core/collection/coinentries.h"
#include "core/model/mainstate.h"

// The value one control commits; which members count depends on the field.
struct tEditorValue {
    // GradedByBox, StoredBox, BuyDateBox, SellDateBox, PriceEdit,
    // SellPriceEdit, CommentEdit, NotesMemo, a user field's slot text; for
    // GMbox and DateMintBox the chosen grade modifier (empty for none).
    QString Text;
    // HaveEdit, NeedEdit, SellEdit, SoldEdit; GradeBox: the grade slot, -1
    // for the blank item or none.
    int Number = 0;
    // BuyBox, SellBox, ErrorBox, User1Box.
    bool Checked = false;
    // DateMintBox: the chosen item's price row; null when none is chosen.
    const tPriceInfo *Price = nullptr;
    // UserField: the field's index in UDFlist.
    int UDFIndex = -1;
};

// Writes the value of one control into the entry on the current row and into
// every entry marked selected. An entry whose field already holds the value
// is left alone; a changed entry gets an undo record first (user fields get
// none) and marks the collection modified. Afterwards the list is re-sorted
// with the focused entry kept current, and the grid refreshed. Returns the
// number of entries changed.
int StuffCoinInfo(tMainState &s, tCoinField field, const tEditorValue &value);

// The message Delete asks before it removes entries.
extern const QString DeleteCoinsText;

// Delete: after asking (unless AskingCoin is off), removes the entry on the
// current row and every marked entry into delete records. Returns the
// number removed; 0 when the question was answered "No".
int DeleteCoinBtnClick(tMainState &s);

// ---- Texts of the editor ----

// A money amount as the price boxes show it: "0.00", rounded to cents, with
// the locale's decimal separator.
QString PriceText(Money m);
// What a price box keeps of its text: digits and the decimal separator.
QString ReducePriceText(const QString &text);
// The text a price box shows on leaving: read (0 when unreadable), rounded
// to cents, shown as "0.00".
QString PriceEditExitText(const QString &text);
// Whether a typed character is taken by a price box whose text, without its
// selected part, is remaining: digits while shorter than maxLength, one
// decimal separator.
bool PriceKeyAccepted(const QString &remaining, QChar typed, int maxLength);

// ---- Pickers ----

// The rows behind the year, mint and variety list: the first price row of
// each run of rows of CurrPriceList that share year, mint and (packed)
// variety; rows that differ only in grade modifier or catalogue number share
// an item.
std::vector<tPriceInfo *> DateMintRows(const tMainState &s);
// The item text of such a row; a circa row shows no year.
QString DateMintItemText(const tMainState &s, const tPriceInfo &row);
// The item showing the entry's year, mint and variety (case-sensitive; the
// last match wins), -1 when none does.
int DateMintIndexFor(const tMainState &s, const std::vector<tPriceInfo *> &rows, const tCoinInfo &coin);
// The grade modifiers of the price rows with the chosen row's year, mint and
// packed variety, trimmed, each once; none without a chosen row.
QStringList GMItemsFor(const tMainState &s, const tPriceInfo *chosen);
// Whether an entry of the listed series has the row's year, mint and
// variety (mint and variety ignoring case): its item shows the "in the
// collection" picture.
bool DateMintRowCollected(const tMainState &s, const tPriceInfo &row);

// What identifies an item of the year, mint and variety list. The picker
// keeps these rather than the rows: a price reload frees the rows while the
// items are still shown.
struct tDateMintKey {
    int32_t Year = 0;
    QString Mint;
    QString Variety;  // packed, as the price row holds it
    bool operator==(const tDateMintKey &) const = default;
};
tDateMintKey DateMintKeyOf(const tPriceInfo &row);
// The first row of CurrPriceList with that year, mint and variety; null
// when the price list no longer has one.
const tPriceInfo *DateMintRowFor(const tMainState &s, const tDateMintKey &key);
