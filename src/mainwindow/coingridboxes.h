#pragma once
// Rules of the small editing boxes beside the coin grid: the "Graded by"
// and "Stored in" pick lists and the memos on the settings panel that hold
// their items, one per line.
#include <QString>
#include <QStringList>

// Longest line of each list memo.
constexpr int GradedByMemoLength = 10;
constexpr int StoredInMemoLength = 30;

// The items each pick list starts with.
QStringList DefaultGradedByItems();
QStringList DefaultStoredItems();

// Whether a list memo drops a key: Backspace at the start of a line (lines
// are never joined) and a character typed into a line that has reached
// maxLength.
bool ListMemoDropsKey(int key, const QString &typed, int caretColumn, int lineLength, int maxLength);
// The pick-list items of a list memo's text: its lines, blank ones left out.
QStringList ListMemoItems(const QString &text);
