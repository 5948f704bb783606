#pragma once
// Keyboard navigation of the Series page: type-ahead over the top-level
// series and the clamped scrolling of the series tree.
#include <QChar>
#include <QString>

struct tnodeinfo;

// Letters a-z and A-Z start or extend a type-ahead; nothing else does.
bool IsTypeAheadLetter(QChar c);

// The first child of root, in tree order, whose name begins with filter
// ignoring case; nullptr when none does or the filter is empty.
tnodeinfo *FindTypeAheadSeries(const tnodeinfo &root, const QString &filter);

// value + delta kept within [minimum, maximum].
int ClampedScroll(int value, int delta, int minimum, int maximum);
