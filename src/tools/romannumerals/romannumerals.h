#pragma once
// Roman numerals for the converter window: writing a number in the usual
// subtractive form, and reading what a collector types leniently (runs of a
// symbol are added up, a smaller value before a larger one is taken off it),
// with a hint when the typed numeral is not in the usual form.
#include <QString>

// The usual form of m; empty for m <= 0 and m >= 4000.
QString ToRoman(int m);

// What reading a typed numeral found. The codes are what the window tells.
enum tRomanCode : int {
    RomanOk = 0,
    RomanRunTooLong = 1,   // a symbol more than three times in a row
    RomanNotRepeatable = 2,// V, L or D repeated
    RomanEmpty = 3,
    RomanTooLarge = 4,     // the value read exceeds 3999
};

struct tRomanReading {
    tRomanCode Code = RomanEmpty;
    qint64 Sum = 0;        // the value read (codes 0 and 4)
    QString Western;       // what the western box shows
    QString Description;   // what the description label shows
};

// Reads s (capitals of "IVXLCDM" only; the box admits nothing else). Any
// length is read: a long numeral is reported by the value it adds up to.
tRomanReading ReadRoman(const QString &s);

struct tWesternReading {
    QString Roman;
    QString Description;
};

// The western box's text (digits only) turned into the Roman box and the
// description.
tWesternReading ReadWestern(const QString &text);
