#pragma once
// The polygon coin calculator: from the number of sides of a regular
// polygon and one measured distance, the size of a round holder that fits
// the coin and the polygon's other measures, written as the window's lines.
#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>

// What the single measurement means. The values are the radio buttons' tags.
enum tPolygonMode : int {
    PolygonSideToSide = 0,    // across two flat sides (even sides only)
    PolygonPointToSide = 1,   // from a corner to the opposite side (odd only)
    PolygonPointToPoint = 2,  // across two corners (even only)
    PolygonDiameter = 3,      // diameter of the circle through the corners
};

constexpr int PolygonMinSides = 3;
constexpr int PolygonMaxSides = 20;

// The shape box's items, 3 sides first.
const QStringList &PolygonNames();

// The measuring choices for n sides, in the order of the radio buttons.
struct tPolygonChoice {
    QString Caption;
    tPolygonMode Mode;
};
QList<tPolygonChoice> PolygonChoices(int sides);

// The leading decimal number of the box's text: digits, optionally a point
// and more digits; 0 when there is none. The point is the separator whatever
// the locale, since the box admits only digits and ".".
double ReadMeasurement(const QString &text);

struct tPolygonMeasures {
    double OuterRadius = 0;  // R, of the circle through the corners
    double InnerRadius = 0;  // r, the apothem
    double Side = 0;
    double Circumference = 0;
    double Area = 0;
    double OuterArea = 0;
    double InnerArea = 0;
    double Coverage = 0;     // coin area as per cent of the outer circle
};
tPolygonMeasures MeasurePolygon(int sides, double d, tPolygonMode mode);

// The result lines for the box's text; one line asking for a measurement
// when there is none. Numbers use the locale's decimal separator.
QStringList PolygonMemo(int sides, const QString &measurement, tPolygonMode mode, const QLocale &locale);

// The picture for n sides, size x size pixels: the polygon in red, the
// circle through its corners in blue, the inner circle in green and the
// distance the mode's name suggests (point to side for odd counts, side to
// side for the square, point to point for other even counts) in black.
QImage PolygonPicture(int sides, int size = 256);
