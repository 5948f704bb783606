#include "tools/ethiopian/ethiopian.h"

#include <algorithm>

QString CenturyLabel(int position)
{
    static const char *const labels[CenturyPositions] = {"1600", "1700", "1800", "1900", "2000", "Two thousand"};
    return QString::fromLatin1(labels[std::clamp(position, 0, CenturyPositions - 1)]);
}

int CenturyBase(int position)
{
    static const int bases[CenturyPositions] = {1600, 1700, 1800, 1900, 2000, 2000};
    return bases[std::clamp(position, 0, CenturyPositions - 1)];
}

int WheelsYear(const tWheels &w)
{
    return CenturyBase(w.Century) + 10 * w.Decade + w.Year;
}

int StepWheel(int position, int positions, int delta)
{
    return ((position + delta) % positions + positions) % positions;
}

bool OnWheels(int eeYear) { return eeYear >= 1600 && eeYear <= 2099; }

tWheels WheelsOfYear(int e)
{
    e = std::clamp(e, 1600, 2099);
    return {e / 100 - 16, (e % 100) / 10, e % 10};
}

tWheels StartWheels(int currentADYear)
{
    // The whole year is clamped, not the century alone: after 2107 the
    // wheels stop at their last year rather than wrapping into the 2000s.
    return WheelsOfYear(std::clamp(AD2EE(currentADYear), 1600, 2099));
}

QString EthiopicNumeral(int a)
{
    if (!OnWheels(a))
        return {};
    QString s;
    switch (a / 100) {
    case 16: s = QStringLiteral("፲ ፮ ፻"); break;
    case 17: s = QStringLiteral("፲ ፯ ፻"); break;
    case 18: s = QStringLiteral("፲ ፰ ፻"); break;
    case 19: s = QStringLiteral("፲ ፱ ፻"); break;
    default: s = a == 2000 ? QStringLiteral("፪ ሺ ሻ") : QStringLiteral("፳ ፻"); break;
    }
    const int t = (a % 100) / 10, u = a % 10;
    if (t)
        s += QLatin1Char(' ') + QChar(static_cast<char16_t>(0x1371 + t));
    if (u)
        s += QLatin1Char(' ') + QChar(static_cast<char16_t>(0x1368 + u));
    return s;
}
