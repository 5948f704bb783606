#pragma once
// The Reports page of the main window: three panes chosen by the corner
// buttons above them: the list of available reports with the selected
// report's description, the preview of the prepared report with its page,
// zoom, print and export controls, and the report bin (shown only while
// the bin holds entries). The logic (list, parameters, run, bin) is plain
// code; this page shows it.
#include <QWidget>

#include "core/model/mainstate.h"
#include "reports/run/reportlist.h"
#include "reports/run/reportrun.h"

#include <functional>

class QComboBox;
class QGraphicsDropShadowEffect;
class QPrinter;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class TReportBinPane;
class TReportPreview;

class TReportsPage : public QWidget {
    Q_OBJECT
public:
    explicit TReportsPage(tMainState &state, QWidget *parent = nullptr);

    tMainState &State;
    tReportList List;
    tReportRunner Runner;

    // Services of the main window the runs use: series picture paths, the
    // coin grid's current row, theme names, grade titles.
    tReportEnvironment &Environment() { return Runner.Env; }

    // Rebuilds the report list from the reports folder. The first time it
    // also installs the starter reports into a folder that holds none.
    void LoadReportList();
    void ShowReportDescription(int itemIndex);
    void ReportListBoxChange();
    // Runs the report entry at that index of the list; nothing without one.
    void RunReport(int itemIndex);
    // Runs the selected entry into the preview and sets the page controls.
    void ShowReportPreview();
    void EnablePreviewControls(bool enabled);

    // Counts the bin: the Report Bin button and pane show exactly while it
    // holds entries; an empty bin brings the Description pane back.
    void ShowBinCount();
    // Makes the pane of a corner button (0, 1, 2) the shown one.
    void ShowPane(int tag);

    // Asks which printer to print on and which pages (the print dialog);
    // false when the user cancelled. Replaceable, so that tests print to a
    // file without a modal dialog.
    std::function<bool(QPrinter &printer, int pageCount)> ChoosePrinter;

    QTabWidget *ReportTabControl;
    QWidget *DescriptionTab;
    QWidget *PreviewTab;
    QWidget *BinTab;
    QPushButton *CornerButton1;  // "Description"
    QPushButton *CornerButton2;  // "Preview"
    QPushButton *CornerButton3;  // "Report Bin"
    QGraphicsDropShadowEffect *ShadowEffect2;
    TReportBinPane *BinPane;
    QListWidget *ReportListBox;
    QLabel *ReportDescriptionLabel;
    TReportPreview *ReportPreview;
    QSpinBox *ReportSpinEdit;
    QPushButton *FirstPageBtn;
    QPushButton *LastPageBtn;
    QLabel *Label99;   // "Zoom amount:"
    QLabel *Label115;  // "Page number"
    QLabel *Label116;  // "of " + page count
    QSlider *ReportZoomTrackBar;
    QPushButton *ReportWidthBtn;
    QPushButton *ReportHeightBtn;
    QPushButton *PrintReportBtn;
    QComboBox *ExportComboBox;
    QPushButton *ExportReportBtn;

Q_SIGNALS:
    // Text for the main window's status line ("Processing page 3", "").
    void StatusChanged(const QString &text);
    // The bin's count after every count (for the Coins page's bin picture).
    void BinCountChanged(int count);

private:
    void FillListBox();
    void ReportTabControlChange();
    void ReportPreviewPageChanged(int page);
    void ReportProgress(int page);
    void ReportSpinEditChange(int value);
    void ReportFitBtnClick(bool width);
    void PrintReportBtnClick();
    void ExportReportBtnClick();
    void ShowError(const QString &text);

    bool starterChecked_ = false;
};
