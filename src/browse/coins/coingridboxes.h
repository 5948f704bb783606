#pragma once
// Rules of the memos on the Coins page's settings panel that hold the
// "Graded by" and "Stored in" suggestion lists, one item per line.
#include <QString>
#include <QStringList>

// Longest line of each list memo.
constexpr int GradedByMemoLength = 10;
constexpr int StoredInMemoLength = 30;

// Whether a list memo drops a key: Backspace at the start of a line (lines
// are never joined) and a character typed into a line that has reached
// maxLength.
bool ListMemoDropsKey(int key, const QString &typed, int caretColumn, int lineLength, int maxLength);
// The pick-list items of a list memo's text: its lines, blank ones left out.
QStringList ListMemoItems(const QString &text);
