#include "browse/finders/textpattern.h"

namespace {

bool IsRegexMark(QChar c)
{
    static const QString marks = QStringLiteral("$()+-.[\\]^{|}");
    return marks.contains(c);
}

} // namespace

QString EscapeRegexMarks(const QString &text)
{
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (IsRegexMark(c))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

tTextPattern::tTextPattern(const QString &regex, bool caseSensitive)
{
    try {
        regex_ = std::make_shared<platform::Regex>(regex, !caseSensitive);
    } catch (const platform::RegexError &) {
        regex_.reset();
    }
}
