#pragma once
// Search and track: a description of entries by criteria (ranges, minimum
// counts, text patterns, states, price-row facts and one criterion per user
// field), the test of an entry against it, and the run that counts the
// entries in scope and sets or clears their tracking marks. Plain code: the
// window (ui/trackform.h) fills the record from its controls.
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"

// The two bound texts of a range row as typed. A blank bound is empty:
// both empty pass everything, both given pass lower..upper, one given
// alone must be met exactly.
struct tTrackRange {
    QString Lower;
    QString Upper;
};

// One ticked user-field row.
struct tFieldCriterion {
    int FieldType = UDFTextBox;
    int Index = 0;        // the field's place in UDFlist and its slot in UDFstring
    QString Text;         // text types and phone as typed; pick list: the chosen item (empty: none)
    tTrackRange Range;    // money, number and real number
    int32_t DateFrom = 0; // date: day numbers, both included
    int32_t DateTo = 0;
    bool Yes = false;     // check box: "Yes" chosen
};

enum tItemType : int { ItemTypeCoins = 0, ItemTypePaperMoney = 1 };
enum tPriceLockChoice : int { LockUnlocked = 0, LockBuy = 1, LockSell = 2 };
constexpr int NoMetalChosen = -1;

// The criteria; an unset optional is an unticked row.
struct tTrackCriteria {
    std::optional<tTrackRange> ItemNumber;
    std::optional<tTrackRange> Year;
    std::optional<QString> GradedBy;
    std::optional<QString> StoredIn;
    std::optional<QString> Comment;
    std::optional<QString> Notes;
    std::optional<tTrackRange> BuyPrice;
    std::optional<tTrackRange> SellPrice;
    std::optional<tTrackRange> Value;
    std::optional<std::pair<int, int>> Grade;         // grade indexes, both included
    std::optional<std::pair<int32_t, int32_t>> BuyDate;  // day numbers, both included
    std::optional<std::pair<int32_t, int32_t>> SellDate;
    std::array<std::optional<int>, 4> MinQuantity{};  // Have, Need, Sell, Sold
    std::optional<int> ItemType;                      // tItemType
    std::optional<int> Metal;                         // metal number, NoMetalChosen for none
    std::optional<QString> Catalog;
    std::optional<bool> MintError;
    std::optional<int> PriceLock;                     // tPriceLockChoice
    std::vector<tFieldCriterion> Fields;              // ticked user-field rows, in UDFlist order
};

// Price rows looked up for the value, metal and catalogue criteria, once per
// entry. The cache is the track window's own: it never writes into the
// entries. A row is kept with what chose it (the entry's series and the
// series it takes its prices from, year, mint and variety), so an entry
// edited, pasted over or moved to another series is looked up again however
// the change was made. Everything is forgotten when
// price entries are added, removed or reordered or coin entries are freed,
// so it never hands out a stale link.
class tPriceRowCache {
public:
    tPriceInfo *Lookup(const tMainState &s, tCoinInfo &coin);
    void Clear() { rows_.clear(); }
    int Lookups() const { return lookups_; }

private:
    struct tKept {
        const tnodeinfo *Folder = nullptr;
        int32_t Source = 0;  // the series whose prices the entry takes
        int32_t Year = 0;
        QString Mint;
        QString Variety;
        tPriceInfo *Row = nullptr;
    };
    std::unordered_map<const tCoinInfo *, tKept> rows_;
    uint64_t priceGeneration_ = 0;
    uint64_t coinGeneration_ = 0;
    int lookups_ = 0;
};

// The criteria made ready for many entries: patterns compiled and bounds
// read once.
class tTrackMatcher {
public:
    tTrackMatcher(const tMainState &s, const tTrackCriteria &c, tPriceRowCache &cache);
    ~tTrackMatcher();
    tTrackMatcher(const tTrackMatcher &) = delete;
    tTrackMatcher &operator=(const tTrackMatcher &) = delete;
    // Applies the ticked criteria in their fixed order, stopping at the
    // first that fails.
    bool Matches(tCoinInfo &coin) const;

private:
    struct tImpl;
    std::unique_ptr<tImpl> d;
};

// Counters of the entries in scope by tracking mark and match.
struct tTrackCounts {
    int TrackedMatching = 0;
    int TrackedNotMatching = 0;
    int UntrackedMatching = 0;
    int UntrackedNotMatching = 0;
    bool operator==(const tTrackCounts &) const = default;
};

// Evaluates every entry whose series lies in scope (scope: a series and
// everything below it; the root for the entire collection). With doTrack a
// matching entry gets the mark !inverse and a non-matching one inverse;
// entries outside the scope keep theirs. Any changed mark marks the
// collection modified. Counts by the marks as they stand afterwards.
tTrackCounts EvaluateTracks(tMainState &s, const tTrackCriteria &criteria, const tnodeinfo *scope, bool doTrack,
                            bool inverse, tPriceRowCache &cache);

// The drop-down of a history user field: every distinct non-blank value of
// its slot over the collection, in order of first appearance (ignoring
// case).
QStringList FieldHistoryItems(const tMainState &s, int index);

// The phone mask "(555)123-4567" built as digits are typed. Returns the
// text and caret after the key and whether the key was consumed; other
// keys are left to the edit.
struct tPhoneKeyResult {
    QString Text;
    int Caret = 0;
    bool Consumed = false;
};
enum class tPhoneKey { Digit, Backspace, Delete, Other };
constexpr int PhoneMaskLength = 13;
tPhoneKeyResult PhoneKeyDown(const QString &text, int caret, tPhoneKey key, QChar digit = {});
