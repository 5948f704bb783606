#include "core/model/currencytext.h"

#include <QLocale>

#include "core/model/currproc.h"
#include "core/model/helpers.h"

QChar LocaleDecimalSeparator()
{
    const QString d = QLocale().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d.front();
}

Money GetCurrencyValue(const QString &instring, QChar decimalSep)
{
    CurrProcGuard guard(9800);
    QString digits = DigitsOnly(instring, true, decimalSep);
    if (digits.count(decimalSep) > 1)
        return 0;
    digits.replace(decimalSep, QLatin1Char('.'));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? MoneyFromDouble(value) : 0;
}
