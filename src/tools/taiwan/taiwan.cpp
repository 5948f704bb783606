#include "tools/taiwan/taiwan.h"

#include <QStringList>

namespace {

const char16_t NumeralChars[] = u"零一二三四五六七八九十百";
const char *const PinyinWords[12] = {"líng", "yi", "er", "san", "si", "wu", "liu", "qi", "ba", "jiu", "shí", "bai"};
const char *const Branches[12] = {"Tiger", "Rabbit", "Dragon", "Snake", "Horse", "Sheep",
                                  "Monkey", "Rooster", "Dog", "Pig", "Rat", "Ox"};
const char *const Elements[5] = {"Metal", "Water", "Wood", "Fire", "Earth"};
// Stems in element order, yang first: geng xin, ren gui, jia yi, bing ding, wu ji.
const char16_t Stems[] = u"庚辛壬癸甲乙丙丁戊己";
// Branches from the Tiger on: yin mao chen si wu wei shen you xu hai zi chou.
const char16_t BranchChars[] = u"寅卯辰巳午未申酉戌亥子丑";

constexpr int Ten = 10, Hundred = 11;

void AppendBelowHundred(std::vector<int> &p, int r)
{
    const int t = r / 10, u = r % 10;
    if (r < 10) {
        p.push_back(r);
    } else if (r == 10) {
        p.push_back(Ten);
    } else if (t == 1) {
        p.insert(p.end(), {Ten, u});
    } else {
        p.insert(p.end(), {t, Ten});
        if (u)
            p.push_back(u);
    }
}

} // namespace

std::vector<int> RepublicNumeralPlaces(int n)
{
    std::vector<int> p;
    if (n <= 0)
        return p;
    if (n < 100) {
        AppendBelowHundred(p, n);
        return p;
    }
    // Hundreds and more: the count of hundreds, hundred, then the rest, a
    // zero standing for empty tens (105: one hundred zero five).
    const int h = n / 100, r = n % 100;
    if (h >= 10)
        AppendBelowHundred(p, h);  // a count past 999 is far beyond any coin
    else
        p.push_back(h);
    p.push_back(Hundred);
    if (r == 0)
        return p;
    if (r < 10)
        p.insert(p.end(), {0, r});
    else if (r == 10)
        p.insert(p.end(), {1, Ten});  // one ten: the tens digit is spoken here
    else
        AppendBelowHundred(p, r);
    return p;
}

QString RepublicYearChinese(int n)
{
    QString s = QStringLiteral("年");
    for (int place : RepublicNumeralPlaces(n))
        s += QChar(NumeralChars[place]);
    return s + QStringLiteral("國民華中");
}

QString RepublicYearPinyin(int n)
{
    QStringList words;
    for (int place : RepublicNumeralPlaces(n))
        words << QString::fromUtf8(PinyinWords[place]);
    return words.join(QLatin1Char(' '));
}

QString BranchName(int branch) { return QString::fromLatin1(Branches[((branch % 12) + 12) % 12]); }
QString ElementName(int element) { return QString::fromLatin1(Elements[((element % 5) + 5) % 5]); }

tCycle CycleOfYear(int year)
{
    const int k = (((year - 1710) % 60) + 60) % 60;
    return {(k / 2) % 5, k % 12};
}

int CycleOffset(int branch, int element)
{
    for (int k = 0; k < 60; ++k) {
        const tCycle c = CycleOfYear(1710 + k);
        if (c.Branch == branch && c.Element == element)
            return k;
    }
    return 0;  // not reached: every pair of a branch and an element occurs once in 60 years
}

std::vector<int> CycleYears(int branch, int element)
{
    std::vector<int> out;
    const int first = 1710 + CycleOffset(branch, element);
    for (int j = 0; j < 7; ++j)
        out.push_back(first + 60 * j);
    return out;
}

QChar StemChar(int element, int branch) { return QChar(Stems[2 * element + (branch % 2)]); }
QChar BranchChar(int branch) { return QChar(BranchChars[branch]); }

int CoverRestSteps(int card, int front)
{
    if (card == front)
        return 0;
    return card > front ? card - front + 1 : -(front - card + 1);
}
