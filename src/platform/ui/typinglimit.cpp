#include "platform/ui/typinglimit.h"

#include <algorithm>

#include <QLineEdit>

namespace platform {

TypingLimit::TypingLimit(QLineEdit *box, int limit, QValidator *inner)
    : QValidator(box), limit_(limit), allowed_(std::max<qsizetype>(limit, box->text().size())), inner_(inner)
{
    if (inner_)
        inner_->setParent(this);
}

QValidator::State TypingLimit::validate(QString &input, int &pos) const
{
    // A text the program sets is checked too, with the box unmodified (and
    // perhaps its signals blocked): it always passes and becomes the most a
    // typed edit may keep. Typing may shorten a long text, never lengthen it
    // past the limit again.
    const auto *box = qobject_cast<const QLineEdit *>(parent());
    const bool typed = box && box->isModified();
    if (typed && input.size() > allowed_)
        return Invalid;
    const State state = inner_ ? inner_->validate(input, pos) : Acceptable;
    if (state != Invalid)
        allowed_ = typed ? std::max<qsizetype>(limit_, std::min(allowed_, input.size()))
                         : std::max<qsizetype>(limit_, input.size());
    return state;
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
