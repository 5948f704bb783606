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
// year would turn 2024 into 1924 when the text is read back. Where that
// format cannot be typed in digits (a month or weekday name, fields without
// separators) it is "yyyy-MM-dd".
QString ShortDateFormat();
// Whether a date format names day, month and four-digit year once each in
// digits with a separator between the fields.
bool NumericDateFormat(const QString &format);
// What a date box takes besides digits: the separators of ShortDateFormat.
QString DateTypingCharacters();
// The length of the longest date ShortDateFormat writes.
int ShortDateMaxLength();
QString FormatShortDate(int day);
// Reads a date typed in the short format; 0 when it is not a date.
int ParseShortDate(const QString &text);
