#pragma once
// Geometry of the main window that follows its size and the kind of series
// shown: the series pictures of the Image side page for coins and for paper
// money, the picture column of the report bin, the theme buttons and the
// Pricing page's header. Plain arithmetic on sizes, so the rules are tested
// without a window; the window applies the results to its controls.
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <vector>

// Two square pictures stacked with their captions below each: the obverse
// (ObversePanel) and reverse (ReversePanel) of the Image side page, or of the report
// bin's picture column.
struct tPicturePairInput {
    QSizeF Area;            // the panel that holds the pictures
    double Reserve = 0;     // room kept below the pictures for buttons
    QSizeF ObverseLabel;
    QSizeF ReverseLabel;
};
struct tPicturePair {
    int Side = 0;           // width and height of each picture
    QRect ObversePanel;
    QRect ReversePanel;
    QPoint ObverseLabel;
    QPoint ReverseLabel;
};
tPicturePair PlacePicturePair(const tPicturePairInput &in);

// Coin layout of the Image side page (ImageSidePanel).
struct tCoinLayoutInput {
    QSizeF ImageSidePanel;
    QSizeF ViewSizeBtn;
    QSizeF FavoriteBox;
    QSizeF ObverseLabel;
    QSizeF ReverseLabel;
    QSizeF StackPicker;        // the picker and "Show legend" of the real-size view
};
struct tCoinLayout {
    bool SideBySide = false;   // the two buttons in one row, else stacked
    int Reserve = 0;
    tPicturePair Pictures;
    QPoint FavoriteBox;
    QPoint ViewSizeBtn;
    QPoint StackPicker;        // takes the favourite box's place in the real-size view,
                               // left of View Size or below it when too wide
};
tCoinLayout ComputeCoinLayout(const tCoinLayoutInput &in);

// Paper-money layout of the Image side page: front and back side by side,
// keeping a note's 2.25 : 1 aspect.
struct tPaperLayoutInput {
    QSizeF ImageSidePanel;
    QSizeF ObverseLabel;
    QSizeF ReverseLabel;
};
struct tPaperLayout {
    QRectF ObversePanel;
    QRectF ReversePanel;
    QPointF ObverseLabel;
    QPointF ReverseLabel;
};
tPaperLayout ComputePaperLayout(const tPaperLayoutInput &in);

// The view-size button and the favourite box below the corner buttons of
// the paper layout's tab column.
struct tPaperButtons {
    QPoint ViewSizeBtn;
    QPoint FavoriteBox;
};
tPaperButtons PlacePaperButtons(double columnWidth, double statsButtonBottom, QSizeF viewSizeBtn, QSizeF favoriteBox);

// The picture column of the report bin (coin layout only).
struct tBinColumnInput {
    double ReportTabWidth = 0;
    double ColumnHeight = 0;
    QSizeF BinButtons;         // the bin buttons
    QSizeF ObverseLabel;
    QSizeF ReverseLabel;
};
struct tBinColumn {
    int Width = 0;
    tPicturePair Pictures;
    QPoint BinButtons;
};
tBinColumn ComputeBinColumn(const tBinColumnInput &in);

// Theme buttons of the Themes side page: the named rows fill one column
// before the next.
struct tThemePlacement {
    int Columns = 1;
    int RowsPerColumn = 0;
    std::vector<QPoint> Rows;  // one per named theme, in theme order
    int SpacerY = 0;           // keeps the scroll extent below the last row
};
tThemePlacement PlaceThemeRows(int count, double boxWidth, QSizeF row);

// Pricing page header: the "Columns:" box (PriceColumnsLayout) and the row buttons
// (PriceButtonsLayout) share the free width between the list name (PriceListNameLayout, at the
// left) and the currency note (ForexLayout, at the right).
struct tPricingHeader {
    bool ShowColumns = false;
    double ColumnsX = 0;
    double ButtonsX = 0;
};
tPricingHeader PlacePricingHeader(double layout11X, double layout13Width, double layout17Width, double layout18Width);

// Two captions centred as a pair with a gap between them.
struct tCentredPair {
    double FirstX = 0;
    double SecondX = 0;
};
tCentredPair CentrePair(double width, double first, double second, double gap);
