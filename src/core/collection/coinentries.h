#pragma once
// How coin entries come into being (New, Clone, bulk creation from price
// rows) and how a change to them is taken back (the coin undo stack).
//
// The undo stack lives in tMainState::UndoCoinList. Its records hold links to
// live entries, so every way of freeing entries purges them there
// (tMainState::DeleteCoin, ClearCoins); the records own what they copied or
// took out of the collection.
#include <memory>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

// The editor control whose commit changed an entry, or the command that made
// a record. Kept by name rather than by widget so the logic runs without
// windows; CoinFieldName gives the control's object name.
enum class tCoinField {
    None,
    DateMintBox,
    GradeBox,
    GMbox,
    GradedByBox,
    StoredBox,
    HaveEdit,
    NeedEdit,
    SellEdit,
    SoldEdit,
    BuyDateBox,
    SellDateBox,
    PriceEdit,
    SellPriceEdit,
    CommentEdit,
    NotesMemo,
    BuyBox,
    SellBox,
    ErrorBox,
    User1Box,
    UserField,      // one of the user-defined field controls
    NewCoinBtn,     // a record of an entry made by New or Clone
    DeleteCoinBtn,  // a record of a deleted entry
};

QString CoinFieldName(tCoinField field);
// The field of a control's object name; None for a name the editor does not own.
tCoinField CoinFieldFromName(const QString &objectName);

// One record of the coin undo stack. Three kinds, by ChangedField:
// - an editor control: CoinInfo is a copy of the entry as it was before the
//   change (owned), OrgCoin the live entry that was changed;
// - DeleteCoinBtn: CoinInfo is the removed entry itself, out of CoinList
//   (owned), OrgCoin is null;
// - NewCoinBtn: CoinInfo is the new entry, which stays in CoinList (not
//   owned), OrgCoin the entry that was current before, selected again when
//   the new entry is taken back (may be null).
struct tUndoCoinInfo {
    tCoinInfo *CoinInfo = nullptr;
    tCoinInfo *OrgCoin = nullptr;
    tCoinField ChangedField = tCoinField::None;
    // Holds CoinInfo when the record owns it (edit and delete records).
    std::unique_ptr<tCoinInfo> Owned;
};

// Records kept on the stack; older ones are dropped.
constexpr int MaxCoinUndo = 100;

// The next item number. An empty collection starts again at 1; deleting
// entries never lowers the numbering.
int32_t AssignInventory(tMainState &s);

// Switches on the Have, Need, Sell and Sold views of each count of the entry
// that is above 0, so an edited or new entry stays listed. True when a view
// was off; the coin page shows the flags at its next PrepCoinsPage.
bool ShowCountViews(tMainState &s, const tCoinInfo &coin);

// Pushes an edit record for coin before field changes it, then trims.
void PushCoinUndo(tMainState &s, tCoinInfo &coin, tCoinField field);
// Takes coin out of CoinList (and out of every view) into a delete record,
// without freeing it, and lowers the entry count of its series and their
// ancestors. Trims the stack.
void RemoveCoinToUndo(tMainState &s, tCoinInfo *coin);
// Drops the oldest records while more than MaxCoinUndo remain.
void TrimCoinUndoList(tMainState &s);

// Called by tMainState::DeleteCoin before coin is freed: drops every record
// that would write into it or free it, and unlinks it where it is only the
// entry to select afterwards.
void PurgeCoinUndo(tMainState &s, const tCoinInfo *coin);

// The entry fields an undone edit copies back: everything but the report-bin
// mark and the links and marks that are not stored (Folder, selected,
// PriceInfo, tag).
void CopyCoinFields(const tCoinInfo &from, tCoinInfo &to);

// Adds delta to the entry count of node and each of its ancestors.
void AddEntryCount(tnodeinfo *node, int delta);

// The user-field slots of a new entry: one default per field of UDFlist, as
// comma text; empty when there are no user fields. Bulk-created entries get
// today's date in Date fields, New gives them none.
QString DefaultUDFString(const tMainState &s, bool populate);
// Gives each incremental Number field (type 7, option bit 0) of the entry its
// next number, raising the field's IncValue.
void AutoIncrementUDFs(tMainState &s, tCoinInfo &coin);

// The message New and Clone show when the series has no price row.
extern const QString NoPriceRowsText;

// New (clone false) or Clone (clone true) on the selected series. Refuses
// with NoPriceRowsText when CurrPriceList is empty; Clone needs a current
// row and does nothing without one. Returns the new entry (current row
// afterwards), or null when none was made. Pushes a NewCoinBtn record so the
// new entry can be taken back.
tCoinInfo *NewCoinBtnClick(tMainState &s, bool clone);

// Takes back the newest record. Returns false when the stack is empty.
bool UndoCoinBtnClick(tMainState &s);

// ---- Bulk creation from the price rows of the selected series ----

struct tPopulateItem {
    tPriceInfo *Price = nullptr;  // the first row of a run that differs only in other columns
    QString Text;                 // CompoundVariety of its year, circa flag, mint and variety
    bool Checked = false;         // no entry of the series has its year, mint and variety yet
};

// The varieties of CurrPriceList, one item per run of rows with the same year
// and (trimmed, ignoring case) mint and variety, in price-list order.
std::vector<tPopulateItem> PopulateItems(const tMainState &s);
// Makes one entry with zero quantities and the given grade for each row, in
// order, and returns how many were made.
int PopulateCoins(tMainState &s, const std::vector<tPriceInfo *> &rows, int grade);
