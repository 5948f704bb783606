#pragma once
// The drop-down calendar of the editor's date boxes without its widgets: the
// reference day (the box's date when it opened, or today), the month shown,
// the picked day, where each day's cell goes in the Sunday-first 7 x 6 grid
// and the date a close writes back.
#include <QString>

struct tCalendarState {
    int RefYear = 0, RefMonth = 0, RefDay = 0;
    int ShownYear = 0, ShownMonth = 0;
    int PickedDay = 1;
};

// Opens on the box's day number; a box without a date (0 or less) opens on
// today.
tCalendarState CalendarOpenAt(int day, int today);

// Slot of a day (1-based): the weekday of the month's first day (1 Sunday ..
// 7 Saturday) plus the day minus 1; column and row of its cell.
int CalendarSlot(int year, int month, int day);
struct tCellPlace {
    int Column = 0;
    int Row = 0;
};
tCellPlace CalendarCellPlace(int year, int month, int day);
// Top-left corner of a day's 24 x 24 cell in the popup.
inline int CalendarCellX(int column) { return 9 + 26 * column; }
inline int CalendarCellY(int row) { return 67 + 26 * row; }

int CalendarDaysInMonth(int year, int month);
// The previous or next month, across the year's end. The picked day stays.
void CalendarPreviousMonth(tCalendarState &c);
void CalendarNextMonth(tCalendarState &c);
// Whether the day of the shown month is the reference day (filled pink).
bool CalendarIsReferenceDay(const tCalendarState &c, int day);

// The day number the close writes: the shown month at the picked day, or
// at the month's last day when the month is shorter than that.
int CalendarResultDay(const tCalendarState &c);

// "January" .. "December".
QString CalendarMonthName(int month);
