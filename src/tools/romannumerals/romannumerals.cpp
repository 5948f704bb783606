#include "tools/romannumerals/romannumerals.h"

#include <vector>

namespace {

struct tSymbol {
    qint64 Value = 0;
    int Rank = 0;
};

tSymbol SymbolOf(QChar c)
{
    switch (c.unicode()) {
    case 'I': return {1, 1};
    case 'V': return {5, 2};
    case 'X': return {10, 3};
    case 'L': return {50, 4};
    case 'C': return {100, 5};
    case 'D': return {500, 6};
    case 'M': return {1000, 7};
    default: return {0, 0};
    }
}

bool Repeatable(QChar c)
{
    return c == QLatin1Char('M') || c == QLatin1Char('C') || c == QLatin1Char('X') || c == QLatin1Char('I');
}

} // namespace

QString ToRoman(int m)
{
    if (m <= 0 || m >= 4000)
        return {};
    static const char *const hundreds[] = {"", "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM"};
    static const char *const tens[] = {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"};
    static const char *const units[] = {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    QString out(m / 1000, QLatin1Char('M'));
    out += QLatin1String(hundreds[(m / 100) % 10]);
    out += QLatin1String(tens[(m / 10) % 10]);
    out += QLatin1String(units[m % 10]);
    return out;
}

tRomanReading ReadRoman(const QString &s)
{
    tRomanReading r;
    int code = RomanOk;
    if (s.isEmpty())
        code = RomanEmpty;
    // Runs: a later offending pair replaces the code of an earlier one.
    int run = 1;
    for (qsizetype i = 1; i < s.size(); ++i) {
        if (s[i] == s[i - 1]) {
            ++run;
            if (run > 3)
                code = RomanRunTooLong;
            if (!Repeatable(s[i]))
                code = RomanNotRepeatable;
        } else {
            run = 1;
        }
    }
    if (code == RomanOk) {
        // Each run of equal symbols counts as one position holding its sum;
        // a position ranked above the one before takes that one off itself.
        std::vector<tSymbol> pos;
        pos.reserve(static_cast<size_t>(s.size()));
        for (qsizetype i = 0; i < s.size(); ++i) {
            const tSymbol sym = SymbolOf(s[i]);
            if (!pos.empty() && s[i] == s[i - 1])
                pos.back().Value += sym.Value;
            else
                pos.push_back(sym);
        }
        for (size_t i = 1; i < pos.size(); ++i)
            if (pos[i].Rank > pos[i - 1].Rank) {
                pos[i].Value -= pos[i - 1].Value;
                pos[i - 1].Value = 0;
            }
        for (const tSymbol &p : pos)
            r.Sum += p.Value;
        if (r.Sum > 3999)
            code = RomanTooLarge;
    }
    r.Code = static_cast<tRomanCode>(code);
    switch (r.Code) {
    case RomanOk: {
        r.Western = QString::number(r.Sum);
        const QString proper = ToRoman(static_cast<int>(r.Sum));
        if (s != proper)
            r.Description = QStringLiteral("The roman numeral you've entered would properly be written as") +
                            QLatin1Char('\n') + proper;
        break;
    }
    case RomanRunTooLong:
        r.Description = QStringLiteral("In a Roman numeral a digit cannot be repeated more than three times in a row.");
        break;
    case RomanNotRepeatable:
        r.Description = QStringLiteral("In a Roman numeral only the digits M,C,X and I can be repeated.");
        break;
    case RomanEmpty:
        break;
    case RomanTooLarge:
        r.Description =
            QStringLiteral("The roman number you've entered is improperly formated to represent the number ") +
            QString::number(r.Sum);
        break;
    }
    return r;
}

tWesternReading ReadWestern(const QString &text)
{
    // The box takes four digits at most; anything else reads as 0.
    bool ok = false;
    const int v = text.toInt(&ok);
    const int value = ok ? v : 0;
    tWesternReading r;
    if (value == 0 && !text.isEmpty())
        r.Description = QStringLiteral("The Roman number system does not recognize a value of zero.");
    else if (value > 3999)
        r.Description = QStringLiteral("Numbers above 3999 are not accepted. For 4000 or more, a bar above a digit "
                                       "indicates that it should be multiplied by 1000.");
    r.Roman = ToRoman(value);
    return r;
}
