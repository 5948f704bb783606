#pragma once
// Dates are whole day numbers counted from 1899-12-30; 0 means none.
#include <QDate>
#include <QString>

QDate DayToDate(int day);
int DateToDay(const QDate &date);
// Calendar year of a day number (1899 for day 0).
int DayToYear(int day);
int TodayDay();

// The locale's short date format, always with a four-digit year: a two-digit
// year would turn 2024 into 1924 when the text is read back.
QString ShortDateFormat();
QString FormatShortDate(int day);
// Reads a date typed in the short format; 0 when it is not a date.
int ParseShortDate(const QString &text);
