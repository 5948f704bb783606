#pragma once
// The Japanese era converter's rules: eight eras, the kanji numerals of an
// era year, and the date text, which reads right to left before 1948.
#include <QString>

constexpr int JapaneseEraCount = 8;

struct tJapaneseEra {
    int Start;
    int End;
    QString Kanji;
    QString Label;
    QString Span;
    QString Emperor;
};
// Era e, 0 the latest (Reiwa) to 7.
const tJapaneseEra &JapaneseEra(int e);
// Rows of the era's year list. The latest era lists its years up to the
// current one (at least one, at most to its end).
int JapaneseEraRows(int e, int currentYear);
// A.D. year of era year n.
inline int JapaneseADYear(int e, int n) { return JapaneseEra(e).Start + n - 1; }

// The numeral of era year n (1..99): 元 for the first year.
QString JapaneseNumeral(int n);
// Before 1948 dates were written right to left.
bool ReadsRightToLeft(int adYear);
// The numeral as the era list shows it: reversed before 1948.
QString JapaneseListNumeral(int e, int n);
// Era kanji, numeral, 年; reversed before 1948. Empty for e < 0.
QString EraDateText(int e, int n);
// "Read right to left" or "Read left to right".
QString DirectionText(int e, int n);

// The era of an A.D. year: of two eras sharing a year, the older; -1 when
// the year lies in none.
int JapaneseEraOfYear(int y);
// The series dates the converter lists: 1780 < y < 2050.
inline bool JapaneseSeriesYear(int y) { return y > 1780 && y < 2050; }
