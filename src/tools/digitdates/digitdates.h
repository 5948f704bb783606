#pragma once
// The digit-glyph date converters (Bengali, Thai, Burmese, Nepal, Arab): one
// window with a rule per calendar. Here are the rules: reading a year box,
// the eras and their conversions, native digits, the digit buttons' roll and
// where the glyph picture puts each digit.
#include <vector>

#include <QString>

// The value of a year box: its leading integer (optional blanks, an optional
// sign, then decimal digits up to the first other character); 0 when none.
int BoxValue(const QString &text);

// n written in the script whose digit zero is the code point zero; empty for
// n <= 0.
QString NativeDigitText(int n, char16_t zero);

// A digit button on a box reading v: the digit is appended and, once there
// are four, the oldest one drops off.
int RollDigit(int v, int digit);

// The digits the glyph picture draws for year y, left to right: leading
// zeros dropped, the units always drawn. Empty for y <= 0. A year of more
// than four digits gets as many places as it has digits.
std::vector<int> GlyphDigits(int y);

// The glyph picture: each digit is a 125 x 170 picture, the k-th drawn at
// x = 125 k, left-aligned in a bitmap at least four places wide.
constexpr int GlyphWidth = 125;
constexpr int GlyphHeight = 170;
int GlyphPictureWidth(int digitCount);

enum class tDigitMember { Bengali, Thai, Burmese, Nepal, Arab };

// Digit zeros of the scripts.
constexpr char16_t BengaliZero = 0x09E6;
constexpr char16_t ThaiZero = 0x0E50;
constexpr char16_t MyanmarZero = 0x1040;
constexpr char16_t GurmukhiZero = 0x0A66;
constexpr char16_t DevanagariZero = 0x0966;
constexpr char16_t ArabicIndicZero = 0x0660;
constexpr char16_t PersianZero = 0x06F0;

// ---- Thai: the era follows the year's range, never the user's choice ----
enum tThaiEra : int { ThaiBE = 0, ThaiRS = 1, ThaiCS = 2 };
tThaiEra ThaiEraOfAD(int ad);
tThaiEra ThaiEraOfEraYear(int eraYear);
int ThaiEraYear(int ad);         // by the era of ad
int ThaiADOfEraYear(int eraYear);// by the era the number falls in
// The four captions of an era: the era box's caption, the era's name, its
// span in A.D. and in era years.
struct tThaiEraCaptions {
    QString Abbreviation, Name, UsedAD, UsedEra;
};
tThaiEraCaptions ThaiEraCaptions(tThaiEra era);

// ---- Burmese (Chula Sakarat) and Nepal (Bikram Samvat) ----
inline int ADToBurmese(int y) { return y - 638; }
inline int BurmeseToAD(int y) { return y + 638; }
inline int ADToVS(int y) { return y + 57; }
inline int VSToAD(int y) { return y - 57; }

// ---- Arab: four calendars ----
enum tArabCalendar : int { ArabAH = 0, ArabSH = 1, ArabMS = 2, ArabMD = 3 };
// "A.H.", "S.H.", "M.S.", "M.D.", in calendar order.
QStringList CalendarAbbreviations();
// The lunar rules take the nearest integer, a tie going to the even one;
// the two directions are not exact inverses.
int ADToEra(int calendar, int ad);
int EraToAD(int calendar, int year);
// The one-sentence note on a calendar.
QString CalendarNote(int calendar);
// The grid's calendar box lists the calendars in the other order.
QStringList GridCalendarItems();
int GridItemCalendar(int item);
