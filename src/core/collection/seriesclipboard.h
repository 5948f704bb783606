#pragma once
// The collection clipboard: a snapshot of a series, the series below it and
// their coin entries, taken by "Copy to clipboard" on the series menu and
// added by "Paste from clipboard" to whatever collection is open then (a
// collection read or created since keeps the clipboard). It is the
// program's own; the system clipboard is not used.
#include <QString>

#include "core/model/mainstate.h"

struct tSeriesClipboard {
    // Copies of the series in pre-order, without children or parent; Tag
    // holds the source's parent's series number.
    OwningList<tnodeinfo> ClipboardFolderList;
    // Copies of the entries, without series link or report-bin mark.
    OwningList<tCoinInfo> ClipboardCoinList;
};

// Replaces the clipboard with top and its subtree (the root itself gives no
// series copy) and every entry of those series in CoinList order. Returns
// the message "3 folders and 1 coin were copied to the clipboard.".
QString CopyFolderToClipboard(const tMainState &s, tSeriesClipboard &clip, const tnodeinfo *top);

// The series a copied series is pasted into: the tree's series with its
// number (null when none), and the parent a new one would go under (the
// series with its parent's number, else the root).
struct tPasteTargets {
    tnodeinfo *Target = nullptr;
    tnodeinfo *Parent = nullptr;
};
tPasteTargets FindPasteTargets(const tMainState &s, const tnodeinfo &copy);

// Adds the clipboard to the open collection: missing series under their
// parents, every copied entry again under a free item number, then the
// price lists, counts and views are refreshed and the collection is marked
// modified. The clipboard stays filled. Returns the message of the
// clipboard's counts.
QString PasteFromClipboard(tMainState &s, const tSeriesClipboard &clip);
