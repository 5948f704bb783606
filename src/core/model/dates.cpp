#include "core/model/dates.h"

#include <QLocale>

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

QString ShortDateFormat()
{
    QString f = QLocale().dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
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
    return d.isValid() ? DateToDay(d) : 0;
}
