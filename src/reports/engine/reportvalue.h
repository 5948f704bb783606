#pragma once
// The value a data set answers for one field, and the display formats a
// template applies to it. A value keeps its kind (whole number, real number,
// money, true/false, text) so that the template, not the data set, decides
// how it looks.
#include <cstdint>

#include <QString>

#include "core/model/money.h"

class tReportValue {
public:
    enum tKind : uint8_t { Empty, Text, Integer, Real, Boolean, MoneyAmount };

    tReportValue() = default;
    static tReportValue FromText(const QString &text);
    static tReportValue FromInteger(int64_t value);
    static tReportValue FromReal(double value);
    static tReportValue FromBoolean(bool value);
    static tReportValue FromMoney(Money value);

    tKind Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == Empty; }
    QString TextValue() const { return text_; }
    int64_t IntegerValue() const { return int_; }
    double RealValue() const { return real_; }
    bool BooleanValue() const { return int_ != 0; }
    Money MoneyValue() const { return int_; }
    // The value as a number: money in currency units, true as 1, text read
    // as a number (0 when it is not one).
    double AsDouble() const;

    bool operator==(const tReportValue &o) const;

private:
    tKind kind_ = Empty;
    int64_t int_ = 0;   // whole number, money (ten-thousandths) or Boolean
    double real_ = 0;
    QString text_;
};

// A display format of a text object, written in the template as
// "number:PATTERN", "money:PATTERN", "date", "date:PATTERN" or
// "bool:TRUE;FALSE" (see docs/report-templates.md).
struct tDisplayFormat {
    enum tKind : uint8_t { None, Number, MoneyFormat, Date, Boolean };
    tKind Kind = None;
    QString Pattern;
    QString TrueText;
    QString FalseText;

    // Throws std::invalid_argument with a readable message for an unknown kind.
    static tDisplayFormat Parse(const QString &text);
};

// The text a value shows under a format. Without a format: whole numbers in
// decimal, real numbers with up to six decimals, money with grouping and two
// decimals, "True"/"False", text as it is. A format that does not fit the
// value's kind (a date format on a text) leaves the default display.
QString FormatReportValue(const tReportValue &value, const tDisplayFormat &format);

// The user's decimal and thousands characters, as reports print numbers.
QChar ReportDecimalChar();
QChar ReportGroupChar();
