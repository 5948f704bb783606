#pragma once
// What the user fields remember from the entries: the highest number in use
// of each incremental number field, so New carries on after it, and the
// values already typed into each history drop-down field, offered again in
// its list.
#include <vector>

#include <QStringList>

struct tMainState;

struct tUDFHistoryList {
    int Field = 0;       // position in UDFlist, which is also the slot in UDFstring
    QStringList Values;  // sorted ignoring case; the spelling met first is kept
};

// Sets IncValue of every field (the largest leading whole number in the
// slot of an incremental number field, else 0) and returns the list of every
// history drop-down field, cut to the ten most used values when the field
// asks for a top-ten list.
std::vector<tUDFHistoryList> BuildUDFHistoryLists(tMainState &s);

// Keeps the ten values with the highest counts (ties keep the earlier
// value); values and counts run in parallel.
void KeepTopTen(QStringList &values, std::vector<int> &counts);
