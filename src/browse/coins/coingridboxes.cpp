#include "browse/coins/coingridboxes.h"

#include <Qt>

bool ListMemoDropsKey(int key, const QString &typed, int caretColumn, int lineLength, int maxLength)
{
    if (key == Qt::Key_Backspace)
        return caretColumn == 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return false;
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
    return printable && lineLength >= maxLength;
}

QStringList ListMemoItems(const QString &text)
{
    QStringList items;
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            items << line;
    return items;
}
