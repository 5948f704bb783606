#include "browse/coins/ui/coingrideditboxes.h"

#include <QKeyEvent>
#include <QTextBlock>

#include "browse/coins/coingridboxes.h"

namespace {

// Leaving for a menu or another window is no leaving of the memo.
bool LeavesForGood(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

// ---- List memo ----

TListMemo::TListMemo(int maxLineLength, QWidget *parent) : QPlainTextEdit(parent), Tag(maxLineLength)
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

QStringList TListMemo::Items() const
{
    return ListMemoItems(toPlainText());
}

void TListMemo::SetItems(const QStringList &items)
{
    setPlainText(items.join(QLatin1Char('\n')));
}

void TListMemo::keyPressEvent(QKeyEvent *event)
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection() &&
        ListMemoDropsKey(event->key(), event->text(), c.positionInBlock(), c.block().length() - 1, Tag)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TListMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (!LeavesForGood(event))
        return;
    const QStringList items = Items();
    if (items.join(QLatin1Char('\n')) != toPlainText())
        SetItems(items);
    Q_EMIT Left();
}
