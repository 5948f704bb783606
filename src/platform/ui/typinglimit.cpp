#include "platform/ui/typinglimit.h"

#include <QLineEdit>

namespace platform {

TypingLimit::TypingLimit(QLineEdit *box, int limit, QValidator *inner)
    : QValidator(box), limit_(limit), before_(box->text().size()), inner_(inner)
{
    if (inner_)
        inner_->setParent(this);
    // textChanged follows every change, the program's included, and comes
    // after the check of a typed edit: before_ is the length the edit started from.
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { before_ = text.size(); });
}

QValidator::State TypingLimit::validate(QString &input, int &pos) const
{
    // A text the program sets is checked too, before textChanged tells its
    // length, and with the box unmodified: it always passes (a text taken
    // for invalid would also stop the box from refusing the next key).
    const auto *box = qobject_cast<const QLineEdit *>(parent());
    const bool typed = box && box->isModified();
    if (typed && input.size() > limit_ && input.size() > before_)
        return Invalid;
    return inner_ ? inner_->validate(input, pos) : Acceptable;
}

void TypingLimit::fixup(QString &input) const
{
    if (inner_)
        inner_->fixup(input);
}

void setTypingLimit(QLineEdit *box, int limit, QValidator *inner)
{
    const QValidator *old = box->validator();
    box->setMaxLength(32767);
    box->setValidator(new TypingLimit(box, limit, inner));
    if (old && old->parent() == box)
        delete old;
}

int typingLimit(const QLineEdit *box)
{
    if (const auto *l = qobject_cast<const TypingLimit *>(box->validator()))
        return l->limit();
    return box->maxLength();
}

} // namespace platform
