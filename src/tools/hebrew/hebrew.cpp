#include "tools/hebrew/hebrew.h"

#include <QStringList>

namespace {

constexpr int Values[22] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 200, 300, 400};
// Offsets from alef: the non-final forms.
constexpr int Codes[22] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 14, 16, 17, 18, 20, 22, 23, 24, 25, 26};
const char *const Names[22] = {"aleph", "bet", "gimel", "dalet", "hay", "vav", "zayin", "khet", "tet", "yud", "kaf",
                               "lamed", "mem", "nun", "samech", "ayin", "pay", "tzade", "kuf", "resh", "shin", "tav"};
constexpr int Tet = 8, Vav = 5, Zayin = 6, Yod = 9;

} // namespace

int HebrewLetterValue(int index) { return Values[index]; }
QChar HebrewLetterChar(int index) { return QChar(static_cast<char16_t>(0x05D0 + Codes[index])); }
QString HebrewLetterName(int index) { return QString::fromLatin1(Names[index]); }

std::vector<int> HebrewLetters(int jewishYear)
{
    std::vector<int> out;
    if (jewishYear < 5000 || jewishYear > 5999)
        return out;
    int r = jewishYear % 1000;
    // tav .. kaf, each at most once
    for (int i = 21; i >= 10; --i)
        if (r >= Values[i]) {
            r -= Values[i];
            out.push_back(i);
        }
    if (r == 15 || r == 16) {
        // Written 9 + 6 and 9 + 7: the plain forms would spell a divine name.
        out.push_back(Tet);
        out.push_back(r == 15 ? Vav : Zayin);
        return out;
    }
    if (r >= 10) {
        r -= 10;
        out.push_back(Yod);
    }
    if (r > 0)
        out.push_back(r - 1);
    return out;
}

QString HebrewLetterNames(const std::vector<int> &letters)
{
    QStringList names;
    for (int i : letters)
        names << HebrewLetterName(i);
    return names.join(QLatin1Char('-'));
}

tHebrewPicture HebrewPictureLayout(const std::vector<int> &letters)
{
    tHebrewPicture p;
    if (letters.empty())
        return p;
    std::vector<int> list;
    list.push_back(HebrewGreyHePicture);
    list.insert(list.end(), letters.begin(), letters.end());
    const int n = static_cast<int>(list.size());
    p.Width = static_cast<int>((n + 1.5) * 125);
    int x = 0;
    for (int pos = 0; pos < n; ++pos) {
        p.Pictures.push_back({list[static_cast<size_t>(n - 1 - pos)], x});
        x += 125;
        if (pos == 0) {
            p.Pictures.push_back({HebrewSeparatorPicture, x});
            x += 125 + 62;
        }
    }
    return p;
}

int LetterButtonValue(int tag) { return tag >= 1 && tag <= 22 ? Values[tag - 1] : 0; }

tLetterButtons ButtonsOfLetters(const std::vector<int> &letters)
{
    tLetterButtons b{};
    for (int i : letters)
        b[static_cast<size_t>(i + 1)] = true;
    return b;
}

tLetterButtons ClickLetterButton(tLetterButtons b, int tag)
{
    if (tag < 1 || tag > 22)
        return b;
    b[static_cast<size_t>(tag)] = !b[static_cast<size_t>(tag)];
    const auto releaseTens = [&b](int keep) {
        for (int i = 10; i <= 18; ++i)
            if (i != keep)
                b[static_cast<size_t>(i)] = false;
    };
    if (tag <= 9) {
        for (int i = 1; i <= 9; ++i) {
            if (i == tag)
                continue;
            if ((i == 6 && tag == 7) || (i == 7 && tag == 6)) {
                if (b[6] && b[7])
                    releaseTens(0);
                continue;
            }
            b[static_cast<size_t>(i)] = false;
        }
    } else if (tag <= 18) {
        if (b[6] && b[7])
            b[6] = b[7] = false;
        releaseTens(tag);
    } else if (b[19] && b[20] && b[21] && b[22]) {
        for (int i = 19; i <= 22; ++i)
            if (i != tag)
                b[static_cast<size_t>(i)] = false;
    }
    return b;
}

int ComposedYear(const tLetterButtons &b)
{
    int j = JewishThousands;
    for (int t = 1; t <= 22; ++t)
        if (b[static_cast<size_t>(t)])
            j += LetterButtonValue(t);
    return j;
}

bool WrongSyntax(const tLetterButtons &b)
{
    if (!b[5] && !b[6])
        return false;
    if (b[10])
        return true;
    if (!b[9])
        return false;
    for (int t = 11; t <= 17; ++t)
        if (b[static_cast<size_t>(t)])
            return true;
    return false;
}

QString HebrewNameLine(const std::vector<int> &letters, bool wrongSyntax)
{
    QString s = QStringLiteral("Hebrew name: ") + HebrewLetterNames(letters);
    if (wrongSyntax)
        s += QStringLiteral(" (wrong syntax)");
    return s;
}

QString HebrewGridLetters(int jewishYear)
{
    QString s;
    for (int i : HebrewLetters(jewishYear))
        s += HebrewLetterChar(i);
    return s;
}
