#include "mainwindow/ui/coingrideditboxes.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextBlock>

#include "mainwindow/coingridboxes.h"

namespace {

// Leaving for a menu or another window is no leaving of the box.
bool LeavesForGood(const QFocusEvent *event)
{
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

// ---- Pick box ----

TPickBox::TPickBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(lineEdit(), &QLineEdit::textEdited, this, &TPickBox::Typed);
}

void TPickBox::Typed(const QString &text)
{
    if (currentIndex() < 0)
        return;
    // Clearing the item index empties the line, so the typed text and the
    // caret are put back.
    const int caret = lineEdit()->cursorPosition();
    const QSignalBlocker block(this);
    setCurrentIndex(-1);
    setEditText(text);
    lineEdit()->setCursorPosition(caret);
}

void TPickBox::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        TagString = currentText();
        Tag = currentIndex();
    }
    QComboBox::focusInEvent(event);
}

void TPickBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    if (LeavesForGood(event) && (currentText() != TagString || currentIndex() != Tag)) {
        TagString = currentText();
        Tag = currentIndex();
        Q_EMIT Left();
    }
}

void TPickBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        const QSignalBlocker block(this);
        if (Tag < 0) {
            setCurrentIndex(-1);
            setEditText(TagString);
        } else {
            setCurrentIndex(Tag);
            setEditText(itemText(Tag));
        }
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TPickBox::showPopup()
{
    setFocus(Qt::OtherFocusReason);
    QComboBox::showPopup();
}

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

// ---- Notes memo ----

TNotesMemo::TNotesMemo(QWidget *parent) : QPlainTextEdit(parent) {}

void TNotesMemo::focusInEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::PopupFocusReason)
        TagString = toPlainText();
    QPlainTextEdit::focusInEvent(event);
}

void TNotesMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (LeavesForGood(event) && toPlainText() != TagString) {
        TagString = toPlainText();
        Q_EMIT Left();
    }
}

void TNotesMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        setPlainText(TagString);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
