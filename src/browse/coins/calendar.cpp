#include "browse/coins/calendar.h"

#include <algorithm>

#include <QDate>

#include "core/model/dates.h"

tCalendarState CalendarOpenAt(int day, int today)
{
    const QDate d = DayToDate(day > 0 ? day : today);
    tCalendarState c;
    c.RefYear = c.ShownYear = d.year();
    c.RefMonth = c.ShownMonth = d.month();
    c.RefDay = c.PickedDay = d.day();
    return c;
}

int CalendarSlot(int year, int month, int day)
{
    // Qt counts Monday 1 .. Sunday 7; the grid starts on Sunday.
    const int w = QDate(year, month, 1).dayOfWeek() % 7 + 1;
    return w + day - 1;
}

tCellPlace CalendarCellPlace(int year, int month, int day)
{
    const int s = CalendarSlot(year, month, day);
    return {(s - 1) % 7, (s - 1) / 7};
}

int CalendarDaysInMonth(int year, int month)
{
    return QDate(year, month, 1).daysInMonth();
}

void CalendarPreviousMonth(tCalendarState &c)
{
    if (--c.ShownMonth < 1) {
        c.ShownMonth = 12;
        --c.ShownYear;
    }
}

void CalendarNextMonth(tCalendarState &c)
{
    if (++c.ShownMonth > 12) {
        c.ShownMonth = 1;
        ++c.ShownYear;
    }
}

bool CalendarIsReferenceDay(const tCalendarState &c, int day)
{
    return c.ShownYear == c.RefYear && c.ShownMonth == c.RefMonth && day == c.RefDay;
}

int CalendarResultDay(const tCalendarState &c)
{
    // The picked day may be the 31st of a month left for a shorter one.
    const int day = std::clamp(c.PickedDay, 1, CalendarDaysInMonth(c.ShownYear, c.ShownMonth));
    return DateToDay(QDate(c.ShownYear, c.ShownMonth, day));
}

QString CalendarMonthName(int month)
{
    static const char *const Names[] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? QString::fromLatin1(Names[month - 1]) : QString();
}
