#pragma once
// "Ethiopian date converter": an A.D. or an E.E. year typed on "Converter"
// gives the other and turns three wheels (century, decade, year) that show
// the E.E. year as coins write it; turning a wheel rewrites both boxes.
// "Dates in this series" lists the selected series' years with their E.E.
// year in Ethiopic numerals, refreshed whenever the window comes to the
// front.
#include <array>
#include <functional>
#include <vector>

#include <QDialog>
#include <QImage>

#include "tools/ethiopian/ethiopian.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TSeriesDatesGrid;

class TEthiopianForm : public QDialog {
    Q_OBJECT
public:
    TEthiopianForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent = nullptr);

    enum tWheel { Century = 0, Decade = 1, Year = 2 };

    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;
    QWidget *TabItem2 = nullptr;
    std::array<QLabel *, 3> WheelImages{};     // CenturyImage, DecadeImage, YearImage
    std::array<QToolButton *, 3> UpButtons{};
    std::array<QToolButton *, 3> DownButtons{};
    QLabel *LabelCentury = nullptr;
    QLabel *LabelDecade = nullptr;
    QLabel *LabelYear = nullptr;
    QLineEdit *Edit1 = nullptr;  // A.D.
    QLineEdit *Edit2 = nullptr;  // E.E.
    TSeriesDatesGrid *Grid1 = nullptr;
    QPushButton *OKbutton = nullptr;
    tWheels Wheels;
    std::vector<int> DateArray;

    void FillSeriesDates();
    // A wheel stepped by delta (+1 up, -1 down, 0 from code).
    void StepWheel(tWheel wheel, int delta);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Edit1Typing();
    void Edit2Typing();
    void UpdateWheelLabels();
    void UpdateEditsFromWheels();
    void SyncWheelsFromEdit();
    void ShowWheel(tWheel wheel, int slide);

    std::function<std::vector<int>()> seriesDates_;
    std::vector<QImage> imageList_;
};
