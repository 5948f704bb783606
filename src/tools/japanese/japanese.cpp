#include "tools/japanese/japanese.h"

#include <algorithm>
#include <iterator>

namespace {

const tJapaneseEra Eras[JapaneseEraCount] = {
    {2019, 2050, QStringLiteral("令和"), QStringLiteral("Reiwa"), QStringLiteral("2019-"), QStringLiteral("Naruhito")},
    {1989, 2018, QStringLiteral("平成"), QStringLiteral("Heisei"), QStringLiteral("1989-2019"), QStringLiteral("Akihito")},
    {1926, 1988, QStringLiteral("昭和"), QStringLiteral("Showa"), QStringLiteral("1926-1989"), QStringLiteral("Hirohito")},
    {1912, 1925, QStringLiteral("大正"), QStringLiteral("Taisho"), QStringLiteral("1912-1926"), QStringLiteral("Yoshihito")},
    {1868, 1911, QStringLiteral("明治"), QStringLiteral("Meiji"), QStringLiteral("1867-1912"), QStringLiteral("Mutsuhito")},
    {1846, 1868, QStringLiteral("弘化"), QStringLiteral("Komei"), QStringLiteral("1846–1867"), QStringLiteral("Osahito")},
    {1817, 1846, QStringLiteral("文化"), QStringLiteral("Ninko"), QStringLiteral("1817–1846"), QStringLiteral("Ayahito")},
    {1780, 1816, QStringLiteral("安永"), QStringLiteral("Kokaku"), QStringLiteral("1780–1817"), QStringLiteral("Tomohito")},
};
constexpr int Rows[JapaneseEraCount] = {4, 31, 64, 15, 45, 22, 30, 38};
const char16_t Digits[] = u"一二三四五六七八九";

QString Reversed(const QString &s)
{
    QString r = s;
    std::reverse(r.begin(), r.end());
    return r;
}

} // namespace

const tJapaneseEra &JapaneseEra(int e) { return Eras[std::clamp(e, 0, JapaneseEraCount - 1)]; }

int JapaneseEraRows(int e, int currentYear)
{
    e = std::clamp(e, 0, JapaneseEraCount - 1);
    if (e != 0)
        return Rows[e];
    return std::clamp(currentYear - Eras[0].Start + 1, 1, Eras[0].End - Eras[0].Start + 1);
}

QString JapaneseNumeral(int n)
{
    if (n <= 0)
        return {};
    if (n == 1)
        return QStringLiteral("元");
    const int t = n / 10, u = n % 10;
    QString s;
    if (t > 1)
        s += QChar(Digits[t - 1]);
    if (t >= 1)
        s += QStringLiteral("十");
    if (u)
        s += QChar(Digits[u - 1]);
    return s;
}

bool ReadsRightToLeft(int adYear) { return adYear < 1948; }

QString JapaneseListNumeral(int e, int n)
{
    const QString s = JapaneseNumeral(n);
    return ReadsRightToLeft(JapaneseADYear(e, n)) ? Reversed(s) : s;
}

QString EraDateText(int e, int n)
{
    if (e < 0)
        return {};
    const QString s = JapaneseEra(e).Kanji + JapaneseNumeral(n) + QStringLiteral("年");
    return ReadsRightToLeft(JapaneseADYear(e, n)) ? Reversed(s) : s;
}

QString DirectionText(int e, int n)
{
    return ReadsRightToLeft(JapaneseADYear(e, n)) ? QStringLiteral("Read right to left")
                                                   : QStringLiteral("Read left to right");
}

int JapaneseEraOfYear(int y)
{
    int found = -1;
    for (int e = 0; e < JapaneseEraCount; ++e)
        if (Eras[e].Start <= y && y <= Eras[e].End)
            found = e;
    return found;
}
