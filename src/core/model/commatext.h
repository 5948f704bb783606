#pragma once
// Comma text: the list encoding of stored lists (user-field values, other
// images, pick-list options, histories). Items are joined by ","; an item
// holding a blank, a comma, a double quote or a control character is quoted
// with inner quotes doubled; a list of one empty item is written as "".
#include <QString>
#include <QStringList>

QString CommaTextJoin(const QStringList &items);
QStringList CommaTextSplit(const QString &text);

// Slot i of a comma text, or an empty string past its end.
QString CommaTextItem(const QString &text, int index);
// The comma text with slot i replaced, padding with empty items as needed.
QString CommaTextSetItem(const QString &text, int index, const QString &value);
