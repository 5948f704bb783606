#pragma once
// What each cell of the coin grid shows: its text, picture, alignment and
// colour, worked out from the entry, the price lists (through the valuation
// hook) and the user-defined fields. The grid widget paints what this says.
#include <cstdint>

#include <QColor>
#include <QString>

#include "core/model/mainstate.h"

// Pictures of the main window's 32 x 32 list that the grid shows.
enum tCoinGridImage : int {
    CoinImgNone = -1,
    CoinImgCamera = 10,       // the entry has pictures
    CoinImgLock = 17,         // a buy or sell price is locked
    CoinImgCheckGray = 24,    // in the report bin; check-box field 0, 8, 16, ...
    CoinImgCheckBlack = 25,
    CoinImgCheckTeal = 26,
    CoinImgCheckOrange = 27,  // mint error
    CoinImgCheckRed = 28,
    CoinImgCheckPurple = 29,  // tracked
    CoinImgCheckRoyal = 30,
    CoinImgCheckGreen = 31,
};

// The OriginalIndex of the fixed columns; user field k is column 24 + k.
enum tCoinColumn : int {
    ColImage = 0,
    ColBin = 1,
    ColYear = 2,
    ColMint = 3,
    ColVariety = 4,
    ColGM = 5,
    ColGrade = 6,
    ColHave = 7,
    ColNeed = 8,
    ColSell = 9,
    ColSold = 10,
    ColPrice = 11,
    ColValue = 12,
    ColChange = 13,
    ColItem = 14,
    ColGradedBy = 15,
    ColComment = 16,
    ColError = 17,
    ColTrack = 18,
    ColStoredIn = 19,
    ColCatalog = 20,
    ColExtended = 21,
    ColPurchased = 22,
    ColDateSold = 23,
    FixedColumnCount = 24,
};

struct tCoinCell {
    QString Text;
    int Image = CoinImgNone;      // drawn over the whole cell
    bool Lock = false;            // lock picture in a square at the left edge
    Qt::Alignment Align = Qt::AlignHCenter | Qt::AlignVCenter;
    QColor Colour = Qt::black;
};

// The cell of an entry in the column with this OriginalIndex.
tCoinCell CoinCellContent(tMainState &s, tCoinInfo &coin, int originalIndex);
// The picture of a "T" check-box field at user-field position k.
int CheckBoxImage(int k);
// Whether the entry has a picture, as the "Image" cell shows it.
bool HasAnyPicture(const tCoinInfo &coin);

// ---- Reading numbers out of stored user-field text ----

// The whole number at the start of text: leading blanks and one sign, then
// the digits before the first other character; 0 when there are none.
// Values beyond the 64-bit range saturate.
int64_t ReadLeadingWhole(const QString &text);
// The decimal number at the start of text with a full stop as the decimal
// separator whatever the locale: leading blanks, a sign, digits, a fraction
// and an exponent, as far as they read; 0 when nothing reads. consumed, when
// given, receives the number of characters read (0 when nothing reads).
double ReadLeadingDecimal(const QString &text, int *consumed = nullptr);
// A real-number field's text read with the user's locale; 0 when it does
// not read as a number as a whole.
double ReadLocaleReal(const QString &text);
// A monetary field's text in whole cents (truncated), saturating.
int64_t MonetaryCents(const QString &text);

// Money in a format pattern ("0.00", ",0.00") with the user's locale
// decimal and thousands characters.
QString FormatLocaleMoney(const QString &pattern, Money m);
QString FormatLocaleFloat(const QString &pattern, double value);
