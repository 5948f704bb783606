#pragma once
// Money is a fixed-point amount with four decimal places: an int64 holding
// the amount times 10,000. Products and quotients with rates, metal contents
// and indexes are worked out in double and rounded back to the nearest
// ten-thousandth, halves to even, so that every caller rounds the same way.
#include <cstdint>
#include <QString>

using Money = int64_t;

constexpr Money MoneyScale = 10000;

// Rounds a double amount (in currency units) to money, halves to even.
// Values beyond the int64 range saturate; NaN gives 0.
Money MoneyFromDouble(double amount);
// Rounds an already-scaled value (ten-thousandths) to money, halves to even.
Money MoneyFromScaled(double scaled);
double MoneyToDouble(Money m);

Money MoneyMul(Money m, double factor);
// Quotient of money by a divisor; a zero divisor gives 0 rather than a NaN.
Money MoneyDiv(Money m, double divisor);

// Formats an amount with a format pattern in the style the program uses
// ("0.00", "#,##0.00", "#.##"): '0' forces a digit, '#' shows one only when
// needed, ',' in the integer part asks for grouping. The decimal and
// thousands characters are passed in, so no process-wide locale is touched.
QString FormatFloatPattern(const QString &pattern, double value, QChar decimalSep = QLatin1Char('.'),
                           QChar thousandSep = QLatin1Char(','));
// Money is laid out from its integer digits, rounded at the pattern's widest
// fraction with halves away from zero, exactly over the whole int64 range;
// no double stands between a stored amount and its text.
QString FormatMoneyPattern(const QString &pattern, Money m, QChar decimalSep = QLatin1Char('.'),
                           QChar thousandSep = QLatin1Char(','));
