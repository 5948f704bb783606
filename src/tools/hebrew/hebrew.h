#pragma once
// The Hebrew year converter's rules: Jewish years of the sixth millennium
// written with letters used as numerals, their names, the letter picture's
// layout, and the letter buttons with which a collector composes a year.
#include <array>
#include <vector>

#include <QString>

// The 22 letters by index 0..21: value, code point, name.
int HebrewLetterValue(int index);
QChar HebrewLetterChar(int index);
QString HebrewLetterName(int index);

// Jewish year of an A.D. year, and the Jewish box's offset.
constexpr int JewishOffset = 3760;
constexpr int JewishThousands = 5000;

// The letters of J (5000..5999) by index, largest first (reading order):
// the hundreds greedily, 15 and 16 as tet-vav and tet-zayin. Empty for 5000
// and for a year outside the millennium.
std::vector<int> HebrewLetters(int jewishYear);
// Their names joined by "-".
QString HebrewLetterNames(const std::vector<int> &letters);

// The letter picture: the grey he in front of the list, then drawn right to
// left, the last letter first, the separator after it. Pictures 0..21 are the
// letters, 22 the separator, 23 the grey he.
constexpr int HebrewSeparatorPicture = 22;
constexpr int HebrewGreyHePicture = 23;
struct tPlacedPicture {
    int Picture;
    int X;
};
struct tHebrewPicture {
    int Width = 0;
    std::vector<tPlacedPicture> Pictures;
};
tHebrewPicture HebrewPictureLayout(const std::vector<int> &letters);

// The letter buttons by tag 1..22 (entry 0 unused): tag t stands for letter
// index t - 1 and its value.
using tLetterButtons = std::array<bool, 23>;
int LetterButtonValue(int tag);
// The buttons that mirror a year's letters.
tLetterButtons ButtonsOfLetters(const std::vector<int> &letters);
// A click on a button: it toggles, then the units stay single (vav and zayin
// may go together, which releases the tens), the tens stay single and at
// most three hundreds stay pressed.
tLetterButtons ClickLetterButton(tLetterButtons pressed, int tag);
// 5000 plus the values of the pressed buttons.
int ComposedYear(const tLetterButtons &pressed);
// He or vav pressed beside yod, or beside tet with a ten from 20 to 80: a
// way to write 15 or 16 that a date never uses.
bool WrongSyntax(const tLetterButtons &pressed);

// The name line of a shown year: "Hebrew name: " and the names, with
// " (wrong syntax)" when composed that way.
QString HebrewNameLine(const std::vector<int> &letters, bool wrongSyntax);

// The grid's "Hebrew" cell: empty text when J has no letters or lies
// outside 5000..5999.
QString HebrewGridLetters(int jewishYear);
