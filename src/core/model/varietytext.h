#pragma once
// The text forms of a variety: a price entry stores dates inside its variety
// as day numbers behind a marker, shown in the user's short date form, and a
// year, mint and variety make one label. Plain text functions, used by the
// collection core (entries made from price rows) as much as by the prices.
#include <cstdint>

#include <QString>

// The marker that starts a date inside a packed variety; the day number
// follows up to the next blank.
inline const QString VarietyDateToken = QStringLiteral("\\d/");
// Position of the first date token at or after from, -1 when none.
qsizetype FindVarietyDateToken(const QString &text, qsizetype from = 0);

// Packed variety to display form (the user's short date) or, with
// forceFormat, to a form that sorts chronologically ("yyyy/MM/dd").
QString UnpackVariety(const QString &InStr, bool forceFormat);
// Typed variety to packed form: every word that is a full date with a
// four-digit year in the user's date order becomes a date token.
QString PackVariety(const QString &InStr);

// "Year-Mint (variety)", "Circa " before the year when the date is not exact.
QString CompoundVariety(int32_t Year, bool IsCirca, const QString &Mint, const QString &variety);
