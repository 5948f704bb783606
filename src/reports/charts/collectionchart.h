#pragma once
// The data behind the Graphs page: what each of its six charts shows for the
// selected series, the background of each choice, what the nine track bars
// set and the name a saved chart is offered under. Plain functions over the
// state; the page only hands the results to the chart widgets.
#include <array>
#include <vector>

#include <QColor>
#include <QString>

#include "core/model/money.h"

struct tMainState;
struct tnodeinfo;
struct tCoinInfo;

// The picker's items, in the picker's order (its item index).
enum tChartChoice : int {
    ChartGrades = 0,
    ChartPrices = 1,
    ChartValues = 2,
    ChartChange = 3,
    ChartGradeYear = 4,
    ChartGradedBy = 5,
};
inline constexpr int ChartChoiceCount = 6;
QString ChartChoiceName(int choice);

// Grades below this slot are circulated grades; proof grades (30 to 40) and
// entries without a grade stay out of the grade charts.
inline constexpr int ChartGradeSlots = 30;

// Two lines: the series' name and its range of years.
QString ChartTitle(const tnodeinfo &series, int currentYear = 0);

// The bar charts per grade. Kind 1 quantity, 2 prices, 3 values, 4 change.
struct tGradeBar {
    int Slot = 0;
    QString Label;       // the slot's grade title in the series' scale
    int64_t Count = 0;   // Kind 1
    Money Sum = 0;       // Kinds 2 to 4
};
struct tGradeChart {
    int Kind = 1;
    QString ValueFormat;
    QString AxisLabelFormat;
    QString LegendTitle;
    QString AxisTitle;
    // Every slot from the lowest to the highest one that holds something,
    // empty slots between included; empty when nothing is held.
    std::vector<tGradeBar> Bars;
    // The height of a bar in the chart's units (pieces or currency units).
    double BarValue(const tGradeBar &bar) const;
    // The bar's value as the series' value format writes it.
    QString BarText(const tGradeBar &bar) const;
};
// entries: the selected series' entries after the view filter. The value of
// an entry is what GetCoinValue gives against the current price list.
tGradeChart ChartByGrade(const tMainState &s, const std::vector<tCoinInfo *> &entries, int kind);

// The grade against year plot: one point per entry graded 0..29 with a year.
struct tGradeYearPoint {
    int Year = 0;
    int Grade = 0;
    QString Label;
};
std::vector<tGradeYearPoint> ChartGradeYearPoints(const std::vector<tCoinInfo *> &entries);

// The grading services of every entry in the subtree of a series: one slice
// per service text (blanks around it removed), counting entries. Texts that
// differ only in letter case are one slice, named as the first one met; the
// slices are in locale order without regard to case; the empty text is
// "<none>".
struct tPieSlice {
    QString Label;
    int Count = 0;
};
std::vector<tPieSlice> ChartGradedBySlices(const tMainState &s, const tnodeinfo &series);
// The mark of a slice: its label, its share in percent (to two decimals,
// with the locale's decimal character) and its count.
QString PieSliceMark(const tPieSlice &slice, int total, QChar decimalSep = QLatin1Char('.'));

// The background choices, in the list's order.
inline constexpr int ChartBackgroundCount = 7;
inline constexpr int ChartBackgroundObverse = 5;
inline constexpr int ChartBackgroundReverse = 6;
QString ChartBackgroundName(int index);
struct tChartBackground {
    QColor Start;
    QColor End;
    // The series picture to show instead of the gradient; empty for the
    // gradients and for a series without that picture.
    QString PicturePath;
};
// A picture choice without a picture (or one that cannot be read, which the
// page finds out) shows the "Silver" gradient.
tChartBackground ChartBackground(const tMainState &s, const tnodeinfo *series, int index);

// The nine track bars, told apart by their tag 1..9.
inline constexpr int TrackBarCount = 9;
struct tTrackBarInfo {
    const char *Label;
    int Minimum;
    int Maximum;
};
const tTrackBarInfo &TrackBarInfo(int tag);

// v = 90 is 0 degrees; below 90 counts back from 360, above 90 up from 0.
int ChartAngle(int v);
// The spin angle: as ChartAngle, with the few degrees around 0 snapped to 0.
int ChartSpinAngle(int v);

// What the track bars set. The chart is drawn flat: the 3D percent, the
// rotations and the offsets are kept for the view but not drawn; the zoom
// and the legend's place are applied.
struct tChartView {
    int Percent3D = 18;
    int Rotation = 360;
    int Elevation = 315;
    int HorizOffset = 0;
    int VertOffset = 0;
    int Zoom = 100;        // percent
    int Tilt = 0;
    int LegendLeft = 0;    // percent of the chart's width
    int LegendTop = 0;     // percent of the chart's height
};
void ApplyTrackBar(tChartView &view, int tag, double value);

// The positions the bar charts and the pie give the track bars (index tag-1),
// and the maximum they give "Y-Rotation".
std::array<int, TrackBarCount> BarChartTrackBars();
std::array<int, TrackBarCount> PieChartTrackBars();
inline constexpr int BarChartYRotationMaximum = 91;

// The save dialog's proposal: "Orvanta Chart" with the extension ".BMP"
// in the folder of the open collection (the current folder without one).
QString ProposedChartFileName(const QString &collectionFile);
// The picture format a chosen file name asks for: "PNG" for a ".png" name,
// else "BMP".
QByteArray ChartFileFormat(const QString &fileName);

// Where the chart commands stand in an error report.
namespace Blocks {
constexpr int ComboBox1Change = 325;
constexpr int TrackBar1Change = 15800;
constexpr int ChartByGrade = 16300;
constexpr int ChartGradeYear = 16400;
constexpr int ChartGradedByPie = 16500;
constexpr int BuildCollectionChart = 16600;
constexpr int PrintGraphBtnClick = 23100;
constexpr int SaveGraphBtnClick = 23200;
} // namespace Blocks
