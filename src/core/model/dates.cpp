#include "core/model/dates.h"

#include <QLocale>
#include <QRegularExpression>

namespace {
const QDate Epoch(1899, 12, 30);
}

QDate DayToDate(int day)
{
    return Epoch.addDays(day);
}

int DateToDay(const QDate &date)
{
    if (!date.isValid())
        return 0;
    return static_cast<int>(Epoch.daysTo(date));
}

int DayToYear(int day)
{
    return DayToDate(day).year();
}

int TodayDay()
{
    return DateToDay(QDate::currentDate());
}

bool NumericDateFormat(const QString &format)
{
    int days = 0, months = 0, years = 0;
    bool separated = true;  // a separator since the last field
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'') || (c.isLetter() && c != QLatin1Char('d') && c != QLatin1Char('M') &&
                                        c != QLatin1Char('y')))
            return false;
        if (!c.isLetter()) {
            if (c.isDigit())
                return false;
            separated = true;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        // Fields written back to back ("yyyyMMdd") cannot be told apart
        // while a short day or month is typed.
        if (!separated)
            return false;
        separated = false;
        if (c == QLatin1Char('d')) {
            if (run > 2)
                return false;  // a weekday's name
            ++days;
        } else if (c == QLatin1Char('M')) {
            if (run > 2)
                return false;  // a month's name
            ++months;
        } else {
            if (run != 4)
                return false;
            ++years;
        }
        i += run;
    }
    return days == 1 && months == 1 && years == 1;
}

QString ShortDateFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    f.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    // Some locales (the C locale of a fresh system among them) write the
    // month as a name: such a date cannot be typed with the digits and
    // separators a date box takes, and names change with the language.
    // Year, month and day in digits read the same everywhere.
    return NumericDateFormat(f) ? f : QStringLiteral("yyyy-MM-dd");
}

QString DateTypingCharacters()
{
    QString chars;
    for (QChar c : ShortDateFormat())
        if (!c.isLetter() && !chars.contains(c))
            chars += c;
    return chars;
}

int ShortDateMaxLength()
{
    // Two-digit days and months and a four-digit year make the longest text.
    return static_cast<int>(QLocale().toString(QDate(2000, 12, 28), ShortDateFormat()).size());
}

QString FormatShortDate(int day)
{
    return QLocale().toString(DayToDate(day), ShortDateFormat());
}

int ParseShortDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return 0;
    QDate d = QLocale().toDate(t, ShortDateFormat());
    if (!d.isValid())
        d = QLocale().toDate(t, QLocale().dateFormat(QLocale::ShortFormat));
    if (!d.isValid())
        d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("yyyy-M-d"));
    return d.isValid() ? DateToDay(d) : 0;
}
