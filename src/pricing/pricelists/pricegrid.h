#pragma once
// The price grid of the Pricing page as plain data: which rows it shows, how
// many cells fit, where the scroll bars end, the text and colour of a cell,
// the spans the special value codes fill, and the reading of typed mintages,
// measures and amounts. The window paints what these functions compute.
#include <optional>
#include <utility>
#include <vector>

#include <QColor>
#include <QString>

#include "core/model/mainstate.h"

// Row kinds: header rows 0..9, grade slot s is kind 10 + s.
enum tPriceRowKind : int {
    PriceKindYear = 0,
    PriceKindMint = 1,
    PriceKindVariety = 2,
    PriceKindGM = 3,
    PriceKindMintage = 4,
    PriceKindProofs = 5,
    PriceKindMetal = 6,
    PriceKindContent = 7,
    PriceKindWeight = 8,
    PriceKindCatalog = 9,
    PriceKindGrade0 = 10,
};
constexpr int PriceRowHeight = 28;

// Nominal column widths of "Narrow", "Normal", "Wide", "Double".
enum tPriceColWidth : int { ColWidthNarrow = 0, ColWidthNormal = 1, ColWidthWide = 2, ColWidthDouble = 3 };
int PriceColumnWidth(int choice);
QStringList PriceColumnWidthNames();

// True when a series shows paper money (its header has six rows).
bool IsPaperSeries(const tnodeinfo &series);
inline int FixedPriceRows(bool paper) { return paper ? 6 : 10; }

// The row kinds of a series in display order: the header kinds, then every
// grade slot whose title on the series' scale is not blank.
std::vector<int> BuildPriceRowXref(const tGradeTitles &titles, bool paper, int scale);

struct tPriceGridGeometry {
    float ColsFit = 0;      // layout width / nominal width
    float RowsFit = 0;      // layout height / 28
    float ColWidth = 0;     // columns stretch to fill the width exactly
    float RowHeight = 0;
    int ColsNeeded = 0;     // visible columns, the title column included
    int RowsNeeded = 0;     // visible rows
    int HMax = 0;           // horizontal bar maximum (never below 0)
    int VMax = 0;           // vertical bar maximum (never below 0)
    int HSmallChange = 1;
    int VSmallChange = 1;
};
tPriceGridGeometry ComputePriceGridGeometry(float layoutWidth, float layoutHeight, int widthChoice, int entryCount,
                                            int rowKindCount, bool paper);

// Scroll position and selected screen column that bring the entry of
// CurrPriceList index `entry` into view (screen column j shows entry
// j + HValue - 1). The bar moves left as well as right, so the selected
// column always shows the entry asked for.
struct tPriceScroll {
    int HValue = 0;
    int SelectedCol = 1;
};
tPriceScroll ScrollPriceGridTo(const tPriceGridGeometry &g, int entry, int hValue);

// The mouse range over grade cells: column numbers and row kinds.
struct tPriceDrag {
    bool Dragging = false;
    int OriginX = -1, OriginY = -1, RangeX = -1, RangeY = -1;
    bool RangeSelected() const
    {
        return OriginX >= 0 && OriginY >= 0 && RangeX >= 0 && RangeY >= 0 && (OriginX != RangeX || OriginY != RangeY);
    }
    void Clear()
    {
        Dragging = false;
        OriginX = OriginY = RangeX = RangeY = -1;
    }
};

// Separators of the user's number format; tests pass them explicitly.
struct tNumberSeps {
    QChar Decimal = QLatin1Char('.');
    QChar Thousands = QLatin1Char(',');
};
tNumberSeps LocaleNumberSeps();

// Header title of a header kind for coins or paper money.
QString PriceHeaderTitle(int kind, bool paper);
// Text of the grade value v of an entry: an amount, or a code's name with
// its melt amount where it has one.
QString GradeValueText(const tMainState &s, const tPriceInfo &e, Money v, const tNumberSeps &seps);
// Text of the cell at grid column (0 the titles, c the entry c - 1 of
// CurrPriceList) and row kind.
QString PriceCellText(const tMainState &s, const tnodeinfo &series, int column, int kind, int widthChoice,
                      const tNumberSeps &seps);
// A content or weight as the grid writes it ("#.####").
QString PriceMeasureText(float v);

namespace PriceColors {
inline const QColor Cornsilk{0xFF, 0xF8, 0xDC};
inline const QColor White{0xFF, 0xFF, 0xFF};
inline const QColor Linen{0xFA, 0xF0, 0xE6};
inline const QColor WhiteSmoke{0xF5, 0xF5, 0xF5};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor Aqua{0x00, 0xFF, 0xFF};
inline const QColor Gainsboro{0xDC, 0xDC, 0xDC};
inline const QColor LightGrey{0xD0, 0xD0, 0xD0};
inline const QColor Grey{0x80, 0x80, 0x80};
inline const QColor DimGrey{0x69, 0x69, 0x69};
inline const QColor Black{0x00, 0x00, 0x00};
inline const QColor DarkBlue{0x00, 0x00, 0x8B};
} // namespace PriceColors

// Fill colour of the cell (lcol, lrow) against the reference cell (rc, rk)
// and the mouse range. A reference in the title column (rc 0) marks nothing.
QColor ColorPriceCell(int lcol, int lrow, int rc, int rk, const tPriceDrag &drag);

// Slots (first, last) that choosing code on grade slot s fills, given the
// range's slots lo..hi.
std::pair<int, int> CodeFillSpan(int code, int slot, int lo, int hi);

// The 23 code names in code order (list entry i is code i + 1).
QStringList ValueCodeNames();

// Readings of typed text. A refused text gives no value and names why.
template <class T>
struct tParsed {
    std::optional<T> Value;
    QString Error;   // set when refused
};
// A mintage: digits (thousands separators ignored), "~" marks it
// approximate; above 1,000,000,000 it is kept in tens of millions, negative.
struct tMintage {
    int32_t Stored = 0;
    bool Approx = false;
};
tParsed<tMintage> ParseMintage(const QString &text);
// A content or weight: digits and one decimal separator.
tParsed<float> ParseMeasure(const QString &text, QChar decimal);
// A typed amount in ten-thousandths, halves to even. A leading "-" is
// refused: negative values are codes, chosen from the list.
tParsed<Money> ParseAmount(const QString &text, const tNumberSeps &seps);
