#pragma once
// A length limit on what is typed into a line edit, never on what the
// program puts there. QLineEdit's own maximum length cuts a text set by the
// program (a stored value longer than the box allows, read from an older
// file or pasted elsewhere), and the cut text is then written back when the
// box is left. This limit refuses only an edit that makes the text longer
// than the limit and longer than it already was: a long stored value shows
// whole and may be shortened, but never grown by typing.
#include <QValidator>

class QLineEdit;

namespace platform {

class TypingLimit final : public QValidator {
    Q_OBJECT
public:
    // inner, when given, checks the characters as before (its parent
    // becomes this limit).
    TypingLimit(QLineEdit *box, int limit, QValidator *inner = nullptr);
    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    int limit() const { return limit_; }

private:
    int limit_;
    // The longest text a typed edit may leave: the limit, or the length of
    // a longer text the program set, as far as typing has shortened it.
    mutable qsizetype allowed_;
    QValidator *inner_;
};

// Puts the limit on box (replacing its validator and lifting its own maximum
// length); inner checks the characters, if given.
void setTypingLimit(QLineEdit *box, int limit, QValidator *inner = nullptr);
// The typing limit of box: this limit, else the box's own maximum length.
int typingLimit(const QLineEdit *box);

} // namespace platform
