#include "reports/engine/reportvalue.h"

#include <stdexcept>

#include <QLocale>

#include "core/model/dates.h"
#include "core/model/helpers.h"

tReportValue tReportValue::FromText(const QString &text)
{
    tReportValue v;
    v.kind_ = Text;
    v.text_ = text;
    return v;
}

tReportValue tReportValue::FromInteger(int64_t value)
{
    tReportValue v;
    v.kind_ = Integer;
    v.int_ = value;
    return v;
}

tReportValue tReportValue::FromReal(double value)
{
    tReportValue v;
    v.kind_ = Real;
    v.real_ = value;
    return v;
}

tReportValue tReportValue::FromBoolean(bool value)
{
    tReportValue v;
    v.kind_ = Boolean;
    v.int_ = value ? 1 : 0;
    return v;
}

tReportValue tReportValue::FromMoney(Money value)
{
    tReportValue v;
    v.kind_ = MoneyAmount;
    v.int_ = value;
    return v;
}

double tReportValue::AsDouble() const
{
    switch (kind_) {
    case Integer:
    case Boolean:
        return static_cast<double>(int_);
    case Real:
        return real_;
    case MoneyAmount:
        return MoneyToDouble(int_);
    case Text:
        return text_.trimmed().toDouble();
    case Empty:
        break;
    }
    return 0;
}

bool tReportValue::operator==(const tReportValue &o) const
{
    return kind_ == o.kind_ && int_ == o.int_ && real_ == o.real_ && text_ == o.text_;
}

tDisplayFormat tDisplayFormat::Parse(const QString &text)
{
    tDisplayFormat f;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return f;
    const int colon = t.indexOf(QLatin1Char(':'));
    const QString kind = (colon < 0 ? t : t.left(colon)).trimmed().toLower();
    const QString rest = colon < 0 ? QString() : t.mid(colon + 1);
    if (kind == QLatin1String("number")) {
        f.Kind = Number;
        f.Pattern = rest.isEmpty() ? QStringLiteral("#,##0.##") : rest;
    } else if (kind == QLatin1String("money")) {
        f.Kind = MoneyFormat;
        f.Pattern = rest.isEmpty() ? QStringLiteral("#,##0.00") : rest;
    } else if (kind == QLatin1String("date")) {
        f.Kind = Date;
        f.Pattern = rest;
    } else if (kind == QLatin1String("bool")) {
        f.Kind = Boolean;
        const int semi = rest.indexOf(QLatin1Char(';'));
        if (rest.isEmpty()) {
            f.TrueText = QStringLiteral("True");
            f.FalseText = QStringLiteral("False");
        } else {
            f.TrueText = semi < 0 ? rest : rest.left(semi);
            f.FalseText = semi < 0 ? QString() : rest.mid(semi + 1);
        }
    } else {
        throw std::invalid_argument("unknown display format \"" + text.toStdString() +
                                    "\" (use number, money, date or bool)");
    }
    return f;
}

namespace {

QString DefaultText(const tReportValue &v)
{
    switch (v.Kind()) {
    case tReportValue::Text:
        return v.TextValue();
    case tReportValue::Integer:
        return QString::number(v.IntegerValue());
    case tReportValue::Real:
        return FormatFloatPattern(QStringLiteral("0.######"), v.RealValue(), ReportDecimalChar(), ReportGroupChar());
    case tReportValue::MoneyAmount:
        return FormatMoneyPattern(QStringLiteral("#,##0.00"), v.MoneyValue(), ReportDecimalChar(), ReportGroupChar());
    case tReportValue::Boolean:
        return v.BooleanValue() ? QStringLiteral("True") : QStringLiteral("False");
    case tReportValue::Empty:
        break;
    }
    return {};
}

bool IsNumeric(const tReportValue &v)
{
    return v.Kind() == tReportValue::Integer || v.Kind() == tReportValue::Real ||
           v.Kind() == tReportValue::MoneyAmount;
}

} // namespace

QChar ReportDecimalChar()
{
    const QString d = QLocale().decimalPoint();
    return d.isEmpty() ? QLatin1Char('.') : d.at(0);
}

QChar ReportGroupChar()
{
    const QString g = QLocale().groupSeparator();
    return g.isEmpty() ? QLatin1Char(',') : g.at(0);
}

QString FormatReportValue(const tReportValue &value, const tDisplayFormat &format)
{
    switch (format.Kind) {
    case tDisplayFormat::Number:
    case tDisplayFormat::MoneyFormat:
        if (value.Kind() == tReportValue::MoneyAmount)
            return FormatMoneyPattern(format.Pattern, value.MoneyValue(), ReportDecimalChar(), ReportGroupChar());
        if (IsNumeric(value))
            return FormatFloatPattern(format.Pattern, value.AsDouble(), ReportDecimalChar(), ReportGroupChar());
        break;
    case tDisplayFormat::Date:
        if (value.Kind() == tReportValue::Integer) {
            // Day numbers; 0 means no date and shows nothing.
            const int day = static_cast<int>(value.IntegerValue());
            if (day <= 0)
                return {};
            return format.Pattern.isEmpty() ? DateOrBlank(day) : DayToDate(day).toString(format.Pattern);
        }
        break;
    case tDisplayFormat::Boolean:
        if (value.Kind() == tReportValue::Boolean)
            return value.BooleanValue() ? format.TrueText : format.FalseText;
        break;
    case tDisplayFormat::None:
        break;
    }
    return DefaultText(value);
}
