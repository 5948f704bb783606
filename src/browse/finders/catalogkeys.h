#pragma once
// Catalogue numbers in natural order: the key that sorts numbers by value
// and letters alphabetically, the sorted list the catalogue finder shows,
// and the distinct numbers of one series for the reports.
#include <memory>
#include <optional>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

// One catalogue number of a list, with the series it belongs to and the
// series that names that series' country (both may be null).
struct tKMitem {
    QString KMnumber;
    tnodeinfo *Folder = nullptr;
    tnodeinfo *CountryFolder = nullptr;
};

// The natural key of a catalogue number, followed by "~" and the series
// number when a series is given. The number, with "0" in front, falls into
// runs of letters (with "!") and runs of digits (with "."); other characters
// only separate runs. Odd runs are keyed as numbers: the integer part
// left-padded with zeros to 12, the fraction right-padded with zeros to 8,
// so 1.05 < 1.10 < 1.5 and none of them collide; even runs as letters,
// padded with blanks to 20.
QString CatalogKey(const QString &kmNumber, const tnodeinfo *node = nullptr);

// Keys compare ordinally with ASCII letters folded to one case.
int CompareCatalogKeys(const QString &a, const QString &b);

// A list kept in key order that refuses a key already present (ignoring
// case) and owns its items.
class tKMList {
public:
    // Files item under key; false (and the item is dropped) when the key is
    // already present.
    bool Add(const QString &key, std::unique_ptr<tKMitem> item);
    // Files many items at once, sorting once: the same as adding them one
    // by one in their order (the first of equal keys wins), without moving
    // the list's tail for every item.
    void AddAll(std::vector<std::pair<QString, std::unique_ptr<tKMitem>>> items);
    // The same for items filed under the key of their own number and series,
    // CatalogKey(KMnumber, Folder): the keys are worked out as short byte
    // strings for the sort, and made as text only when asked for.
    void AddAllByNumber(std::vector<std::unique_ptr<tKMitem>> items);
    int Count() const { return static_cast<int>(entries_.size()); }
    const QString &Key(int i) const { return KeyOf(entries_[static_cast<size_t>(i)]); }
    tKMitem &Item(int i) const { return *entries_[static_cast<size_t>(i)].Item; }
    void Clear() { entries_.clear(); }

private:
    struct tEntry {
        mutable QString Key;      // for ByNumber, made on the first request
        std::unique_ptr<tKMitem> Item;
        bool ByNumber = false;
    };
    static const QString &KeyOf(const tEntry &e);
    std::vector<tEntry> entries_;
};

// The series that names node's country: going up, the first series that is
// marked as a country or whose parent is the root; when that one is not
// marked, the country's own series (number country x 1000, 352 for country
// 0) when the tree has one.
tnodeinfo *CountryFolderOf(tMainState &s, tnodeinfo *node);

// Adds one catalogue number to the list; a key already present keeps the
// first number filed under it.
void AddKMItem(tMainState &s, tKMList &list, const QString &kmNumber, tnodeinfo *node);

// The distinct catalogue numbers of a series in key order, each followed by
// one blank; empty when it has no price entry.
QString GetKMlistForCoinType(tMainState &s, int coinType);

// The countries (below 1000) of the series of the tree, root excluded, in
// ascending number order.
std::vector<int> CountriesInTree(const tMainState &s);

// Fills the list with the catalogue numbers of a country's price entries,
// each with its series.
void BuildCountryKMList(tMainState &s, tKMList &list, int country);

// The items whose number holds a match of the filter (regular-expression
// characters other than "*" and "?" taken literally, ignoring case), in key
// order; every item for a blank filter; nothing when it does not compile.
std::optional<std::vector<tKMitem *>> FilterKMList(const tKMList &list, const QString &filter);

// The series a list row stands for: the first series in tree order with
// the number of the item's series; nullptr for an item without one.
tnodeinfo *SeriesOfKMItem(tMainState &s, const tKMitem &item);
