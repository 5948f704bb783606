#include "core/model/varietytext.h"

#include <QDate>
#include <QLocale>

#include "core/model/dates.h"

namespace {

// The separator between day, month and year of the user's short date format.
QChar DateSeparator()
{
    for (QChar c : ShortDateFormat())
        if (!c.isLetter() && c != QLatin1Char('\''))
            return c;
    return QLatin1Char('/');
}

} // namespace

qsizetype FindVarietyDateToken(const QString &text, qsizetype from)
{
    // Looking for the backslash alone is much faster than a substring
    // search, and most varieties hold none.
    for (qsizetype i = text.indexOf(QLatin1Char('\\'), from); i >= 0; i = text.indexOf(QLatin1Char('\\'), i + 1))
        if (i + 2 < text.size() && text[i + 1] == QLatin1Char('d') && text[i + 2] == QLatin1Char('/'))
            return i;
    return -1;
}

QString UnpackVariety(const QString &InStr, bool forceFormat)
{
    qsizetype p = FindVarietyDateToken(InStr);
    if (p < 0)
        return InStr;
    QString s = InStr;
    const QChar sep = DateSeparator();
    const QString shortFormat = ShortDateFormat();
    const QLocale locale;
    while (p >= 0) {
        const qsizetype start = p + VarietyDateToken.size();
        QString token = s.mid(start, 10);
        const qsizetype blank = token.indexOf(QLatin1Char(' '));
        if (blank >= 0)
            token.truncate(blank);
        // Dates before 1899-12-30 have negative day numbers; PackVariety
        // writes them with their sign, so the sign is read back too.
        qint64 day = 0;
        const bool negative = token.startsWith(QLatin1Char('-'));
        for (qsizetype i = negative ? 1 : 0; i < token.size(); ++i) {
            const QChar c = token[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                break;
            day = day * 10 + (c.unicode() - '0');
        }
        if (negative)
            day = -day;
        // Ten digits at most, so the day fits; a date beyond the calendar
        // shows as nothing rather than failing.
        const QDate d = QDate(1899, 12, 30).addDays(day);
        QString text;
        if (d.isValid()) {
            if (forceFormat)
                text = QString::number(d.year()).rightJustified(4, QLatin1Char('0')) + sep +
                       QString::number(d.month()).rightJustified(2, QLatin1Char('0')) + sep +
                       QString::number(d.day()).rightJustified(2, QLatin1Char('0'));
            else
                text = locale.toString(d, shortFormat);
        }
        s = s.left(p) + text + s.mid(start + token.size(), 100);
        p = FindVarietyDateToken(s);
    }
    return s;
}

namespace {

// A word counts as a date only when it reads as one in the user's order and
// names its year with four digits, so that "1/2" or "5/4/99" stay text.
int FullDateDay(const QString &word)
{
    if (word.isEmpty() || !word[0].isDigit())
        return 0;
    bool fourDigits = false;
    int run = 0;
    for (qsizetype i = 0; i <= word.size(); ++i) {
        if (i < word.size() && word[i].isDigit()) {
            ++run;
            continue;
        }
        if (run > 4)
            return 0;
        if (run == 4)
            fourDigits = true;
        run = 0;
    }
    if (!fourDigits)
        return 0;
    const QDate d = QLocale().toDate(word, ShortDateFormat());
    return d.isValid() ? DateToDay(d) : 0;
}

} // namespace

QString PackVariety(const QString &InStr)
{
    QString out;
    out.reserve(InStr.size() + 8);
    qsizetype i = 0;
    while (i < InStr.size()) {
        if (InStr[i] == QLatin1Char(' ')) {
            out += QLatin1Char(' ');
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < InStr.size() && InStr[j] != QLatin1Char(' '))
            ++j;
        const QString word = InStr.mid(i, j - i);
        const int day = FullDateDay(word);
        if (day != 0)
            out += VarietyDateToken + QString::number(day);
        else
            out += word;
        i = j;
    }
    return out;
}

QString CompoundVariety(int32_t Year, bool IsCirca, const QString &Mint, const QString &variety)
{
    QString mint = Mint;
    // A mark such as "[D]ouble" names its mint letter in brackets.
    if (mint.size() >= 3 && mint[0] == QLatin1Char('[') && mint[2] == QLatin1Char(']'))
        mint = QString(mint[1]) + QLatin1Char(' ') + mint.mid(3, 20);
    QString label;
    if (Year > 0) {
        if (IsCirca)
            label = QStringLiteral("Circa ");
        label += QString::number(Year);
        if (!mint.trimmed().isEmpty())
            label += QLatin1Char('-');
    }
    label += mint;
    if (label.trimmed().isEmpty())
        return variety;
    const QString v = variety.trimmed();
    if (!v.isEmpty())
        label += QStringLiteral(" (") + v + QLatin1Char(')');
    return label;
}
