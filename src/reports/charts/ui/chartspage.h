#pragma once
// The Graphs page of the main window: one of six charts of the selected
// series (quantity, prices, values and change per grade, grade against
// year, grading services), with its background, the nine track bars that
// place and zoom it and move its legend, and its print and save buttons.
// What each chart holds is worked out by reports/charts/collectionchart.h;
// this page hands it to the chart widgets.
#include <array>
#include <functional>

#include <QImage>
#include <QWidget>

#include "reports/charts/collectionchart.h"

class QChart;
class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class QSlider;
class TChartCanvas;
struct tMainState;

class TChartsPage : public QWidget {
    Q_OBJECT
public:
    explicit TChartsPage(tMainState &state, QWidget *parent = nullptr);

    tMainState &State;

    // Builds the chart chosen in the picker for the selected series.
    void BuildCollectionChart();
    // Applies the background chosen in the list.
    void ComboBox1Change();
    // Applies the value of one track bar (tag 1..9).
    void TrackBar1Change(int tag);
    void PrintGraphBtnClick();
    void SaveGraphBtnClick();
    // Another collection was read: the chart of the old one goes.
    void CollectionReplaced();

    // The chart as it is drawn on the page.
    QImage RenderChart() const;
    // What the track bars have set.
    const tChartView &View() const { return view_; }
    // Whether a series picture is behind the chart (else a gradient).
    bool PictureBackground() const;

    // Asks which printer to print on (the print dialog); false when the
    // user cancelled. Replaceable, so tests print to a file without a modal
    // dialog.
    std::function<bool(QPrinter &printer)> ChoosePrinter;

    QComboBox *ChartPickerComboBox;
    QComboBox *ComboBox1;
    QScrollArea *GraphsVertScrollBox;
    std::array<QSlider *, TrackBarCount> TrackBars{};
    QPushButton *PrintGraphBtn;
    QPushButton *SaveGraphBtn;
    TChartCanvas *Chart1;

private:
    void ChartByGrade(int kind);
    void ChartGradeYear();
    void ChartGradedByPie();
    void SetTrackBars(const std::array<int, TrackBarCount> &positions, int yRotationMaximum);
    void ApplyZoom();

    tChartView view_;
    QString axisTitle_ = QStringLiteral("Quantity");
    QString legendTitle_ = QStringLiteral("Grade distribution");
};
