#pragma once
// The Ethiopian date converter's rules: the Ethiopian era (E.E. = A.D. - 8),
// the three wheels (century, decade, year) that show an E.E. year as coins
// write it, and Ethiopic numerals.
#include <QString>

inline int EE2AD(int year) { return year + 8; }
inline int AD2EE(int year) { return year - 8; }

constexpr int CenturyPositions = 6;
// "1600" .. "2000", "Two thousand": positions 4 and 5 are the same century
// in its two written forms.
QString CenturyLabel(int position);
int CenturyBase(int position);

struct tWheels {
    int Century = 4;
    int Decade = 0;
    int Year = 0;
};
// The E.E. year the wheels show.
int WheelsYear(const tWheels &w);
// One wheel stepped up (+1) or down (-1), wrapping round.
int StepWheel(int position, int positions, int delta);
// Whether an E.E. year has a place on the wheels (1600..2099).
bool OnWheels(int eeYear);
// The wheels for an E.E. year on them; a year of the 2000s always turns the
// century to "2000".
tWheels WheelsOfYear(int eeYear);
// The wheels at opening: the current year's E.E. year, clamped to the
// wheels' range.
tWheels StartWheels(int currentADYear);

// The Ethiopic numeral of an E.E. year 1600..2099, its characters separated
// by blanks; empty outside that range.
QString EthiopicNumeral(int eeYear);
