#pragma once
// The small editing boxes beside the coin grid. A pick box ("Graded by",
// "Stored in", and the user-field drop-downs) remembers what it held when it
// got the focus so that Escape can restore it, lets Return move on like Tab,
// and lets typed text stand on its own rather than as a changed item. A list
// memo holds a pick list one item per line with a length limit per line.
// The notes memo restores its text on Escape and reports a changed text when
// it is left.
#include <QComboBox>
#include <QPlainTextEdit>

class TPickBox : public QComboBox {
    Q_OBJECT
public:
    explicit TPickBox(QWidget *parent = nullptr);

    // What the box held when it got the focus.
    QString TagString;
    int Tag = -1;

Q_SIGNALS:
    // The box lost the focus with a value other than the one it got it with.
    void Left();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public:
    // Opening the list moves the focus to the box first, so that the value
    // is remembered before it is changed from the list.
    void showPopup() override;

private:
    void Typed(const QString &text);
};

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

class TNotesMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TNotesMemo(QWidget *parent = nullptr);
    QString TagString;

Q_SIGNALS:
    // The memo was left with a text other than the one it was entered with.
    void Left();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
