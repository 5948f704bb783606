#pragma once
// Money typed by the user: price boxes of the entry editor, user Monetary
// fields, spot prices of the bullion tools.
#include <QChar>
#include <QString>

#include "core/model/money.h"

// The decimal separator of the user's locale.
QChar LocaleDecimalSeparator();

// The amount in a money text. Only the digits and the decimal separator are
// kept, in order; a minus sign, currency symbols and thousands separators are
// dropped, so the result is never negative. A text that is empty or not a
// number after that (two separators) gives 0.
Money GetCurrencyValue(const QString &instring, QChar decimalSep = LocaleDecimalSeparator());
