#pragma once
// Changes to the selected series' price list made from the Pricing page:
// edits of one field or of a range of grade values, new, cloned and deleted
// entries, copy and paste between series, and the undo history they feed.
//
// The history refers to entries by a stable identity (the entry's unstored
// tag), never by address: an entry freed by a reload or a deletion simply
// stops matching, its snapshots are dropped when reached, and an undone
// deletion gives the new entry the identity of the one it restores.
#include <deque>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"
#include "pricing/pricelists/pricegrid.h"

enum tPriceUndoAction : uint8_t { PriceUndoAdded = 0, PriceUndoDeleted = 1, PriceUndoEdited = 2 };

struct tUndoPriceInfo {
    tPriceInfo Snapshot;   // the fields as they were; Folder, MergeIndex unused
    uint8_t Action = PriceUndoEdited;
    int32_t Row = 0;       // row kind of the edited cell; 0 for additions and deletions
    int32_t Target = 0;    // identity of the entry added, deleted or edited
};

class tPriceHistory {
public:
    static constexpr int Limit = 100;
    // Takes a snapshot of e (giving it an identity when it has none).
    void Record(tPriceInfo &e, tPriceUndoAction action, int row);
    bool Empty() const { return items_.empty(); }
    int Count() const { return static_cast<int>(items_.size()); }
    const tUndoPriceInfo &Newest() const { return items_.back(); }
    void DropNewest() { items_.pop_back(); }

private:
    std::deque<tUndoPriceInfo> items_;
};

// The identity of an entry, given on first use.
int32_t PriceIdentity(tPriceInfo &e);
// The entry of PriceList with the identity, null when it is gone.
tPriceInfo *FindPriceByIdentity(const tMainState &s, int32_t id);

// Marks the price list of the selected series' price source modified.
void MarkSelectedPricesModified(tMainState &s);
// Marks the price list of the country of a series number modified.
void MarkPricesModifiedFor(tMainState &s, int coinType);

// The series whose price list the selected series shows; 0 when none.
int SelectedPriceSource(const tMainState &s);

// A new entry: blank ("-------" in every grade) appended, or a copy of
// source inserted right after it ("Rare" and "Extinct" become "-------").
// Returns the new entry's index in CurrPriceList.
int AddPriceEntry(tMainState &s, tPriceHistory &history, const tPriceInfo *source);
// Removes an entry of CurrPriceList after recording it.
void DeletePriceEntry(tMainState &s, tPriceHistory &history, tPriceInfo *entry);

struct tPriceUndone {
    bool Done = false;
    int Index = -1;       // index in CurrPriceList of the entry affected, -1 none
    int Row = 0;          // row kind of the undone edit
    int CoinType = 0;     // series of the undone change
    bool CountChanged = false;
};
// Undoes the newest snapshot whose entry still exists (older ones whose
// entry is gone are dropped on the way).
tPriceUndone UndoPriceChange(tMainState &s, tPriceHistory &history);

// Copy remembers the selected series' price source; returns the status text,
// empty when there was nothing to copy.
QString CopyPrices(const tMainState &s, int &copySeries);
// Appends clones of the copied series' entries (those that existed before
// the paste) to the selected series' price source; returns the status text.
QString PastePrices(tMainState &s, int copySeries, int *pasted = nullptr);

// Sets a header field (row kinds 0..9 except the metal, given as text) of an
// entry from typed text, recording a snapshot when the text changes the
// entry. Returns false with a message when the text is refused.
bool SetPriceHeaderText(tMainState &s, tPriceHistory &history, tPriceInfo &e, int kind, const QString &text,
                        const tNumberSeps &seps, QString *error);
// Sets the metal of an entry.
void SetPriceMetal(tMainState &s, tPriceHistory &history, tPriceInfo &e, int metal);

// The entries and slots a grade value change applies to.
struct tValueRange {
    std::vector<tPriceInfo *> Entries;   // left to right
    int SlotLo = 0, SlotHi = 0;          // the range's grade slots
    int EditedSlot = 0;                  // slot of the edited cell
};
// Chooses a code over the range, filling by the code's span.
void ApplyValueCode(tMainState &s, tPriceHistory &history, const tValueRange &range, int code);
// Stores an amount in every slot of the range.
void ApplyValueAmount(tMainState &s, tPriceHistory &history, const tValueRange &range, Money amount);
