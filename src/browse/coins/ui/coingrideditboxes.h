#pragma once
// The list memos of the Coins page's settings: a suggestion list ("Graded
// by", "Stored in") one item per line, with a length limit per line; lines
// are never joined by Backspace.
#include <QPlainTextEdit>

class TListMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    TListMemo(int maxLineLength, QWidget *parent = nullptr);
    // The longest line, in characters.
    int Tag;

    QStringList Items() const;
    void SetItems(const QStringList &items);

Q_SIGNALS:
    // The memo was left; blank lines have been dropped.
    void Left();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
};
