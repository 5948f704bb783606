#include "tools/digitdates/digitdates.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include <QStringList>

int BoxValue(const QString &text)
{
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 v = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        v = v * 10 + (text[i].unicode() - '0');
        // A pasted run of digits cannot overflow the year arithmetic.
        if (v > std::numeric_limits<int>::max() / 16)
            v = std::numeric_limits<int>::max() / 16;
    }
    return static_cast<int>(negative ? -v : v);
}

QString NativeDigitText(int n, char16_t zero)
{
    if (n <= 0)
        return {};
    QString s = QString::number(n);
    for (QChar &c : s)
        c = QChar(static_cast<char16_t>(zero + (c.unicode() - u'0')));
    return s;
}

int RollDigit(int v, int digit)
{
    return (v % 1000) * 10 + digit;
}

std::vector<int> GlyphDigits(int y)
{
    std::vector<int> out;
    if (y <= 0)
        return out;
    const QString s = QString::number(y);
    for (QChar c : s)
        out.push_back(c.unicode() - u'0');
    return out;
}

int GlyphPictureWidth(int digitCount)
{
    return GlyphWidth * std::max(4, digitCount);
}

tThaiEra ThaiEraOfAD(int ad)
{
    if (ad >= 1835 && ad <= 1887)
        return ThaiCS;
    if (ad >= 1888 && ad <= 1912)
        return ThaiRS;
    return ThaiBE;
}

tThaiEra ThaiEraOfEraYear(int eraYear)
{
    if (eraYear >= 1197 && eraYear <= 1249)
        return ThaiCS;
    if (eraYear >= 107 && eraYear <= 131)
        return ThaiRS;
    return ThaiBE;
}

int ThaiEraYear(int ad)
{
    switch (ThaiEraOfAD(ad)) {
    case ThaiCS: return ad - 638;
    case ThaiRS: return ad - 1781;
    case ThaiBE: break;
    }
    return ad + 543;
}

int ThaiADOfEraYear(int eraYear)
{
    switch (ThaiEraOfEraYear(eraYear)) {
    case ThaiCS: return eraYear + 638;
    case ThaiRS: return eraYear + 1781;
    case ThaiBE: break;
    }
    return eraYear - 543;
}

tThaiEraCaptions ThaiEraCaptions(tThaiEra era)
{
    switch (era) {
    case ThaiRS:
        return {QStringLiteral("R.S."), QStringLiteral("Ratanakosindsok Era (RS)"), QStringLiteral("Used 1888 to 1912"),
                QStringLiteral("(107RS to 131RS)")};
    case ThaiCS:
        return {QStringLiteral("C.S."), QStringLiteral("Chula-Sakarat Era (CS)"), QStringLiteral("Used 1835 to 1887"),
                QStringLiteral("(1197CS to 1249CS)")};
    case ThaiBE: break;
    }
    return {QStringLiteral("B.E."), QStringLiteral("Buddhist Era (BE)"), QStringLiteral("Used 1913-Present"),
            QStringLiteral("(2456BE-Present)")};
}

QStringList CalendarAbbreviations()
{
    return {QStringLiteral("A.H."), QStringLiteral("S.H."), QStringLiteral("M.S."), QStringLiteral("M.D.")};
}

namespace {
// Nearest integer, a tie going to the even one, whatever the FPU mode.
int RoundHalfEven(double x)
{
    const double f = std::floor(x);
    const double d = x - f;
    double r = f;
    if (d > 0.5 || (d == 0.5 && std::fmod(f, 2.0) != 0.0))
        r = f + 1.0;
    return static_cast<int>(r);
}
} // namespace

int ADToEra(int calendar, int ad)
{
    switch (calendar) {
    case ArabAH: return RoundHalfEven((ad - 621.5643) * 1.030684);
    case ArabSH: return ad - 621;
    case ArabMS: return ad + 559;
    case ArabMD: return ad - 632;
    default: return ad;
    }
}

int EraToAD(int calendar, int year)
{
    switch (calendar) {
    case ArabAH: return RoundHalfEven(year * 0.970229 + 621.5643);
    case ArabSH: return year + 621;
    case ArabMS: return year - 559;
    case ArabMD: return year + 632;
    default: return year;
    }
}

QString CalendarNote(int calendar)
{
    switch (calendar) {
    case ArabAH:
        return QStringLiteral("A.H. (Anno Hegirae) counts lunar years since the pilgrimage to Medina (the Hijra).");
    case ArabSH:
        return QStringLiteral("S.H. (Solar Hijri) counts solar years since the pilgrimage to Medina (the Hijra).");
    case ArabMS:
        return QStringLiteral("M.S. (Monarchical Solar) counts solar years since the foundation of the Persian Empire.");
    case ArabMD:
        return QStringLiteral("M.D. (Libyan Miladi) counts solar years since the year 632.");
    default: return {};
    }
}

QStringList GridCalendarItems()
{
    return {QStringLiteral("M.D. (Libyan Miladi)"), QStringLiteral("M.S. (Monarchical Solar)"),
            QStringLiteral("S.H. (Solar Hijri)"), QStringLiteral("A.H. (Anno Hegirae)")};
}

int GridItemCalendar(int item)
{
    return 3 - std::clamp(item, 0, 3);
}
