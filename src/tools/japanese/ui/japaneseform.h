#pragma once
// "Orvanta: Japanese date converter": "Converter" steps through eight eras
// with "Previous" and "Next" and lists the shown era's years with their
// kanji numerals; selecting a year shows its full date and which way it
// reads. "Dates in this series" writes the selected series' years as era
// dates, refreshed whenever the window comes to the front.
#include <functional>
#include <vector>

#include <QDialog>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;
class TSeriesDatesGrid;

class TJapaneseForm : public QDialog {
    Q_OBJECT
public:
    TJapaneseForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent = nullptr);

    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;
    QWidget *TabItem2 = nullptr;
    QLabel *EmperorImage = nullptr;
    QLabel *Label1 = nullptr;  // emperor's name
    QLabel *Label2 = nullptr;  // era label and span
    QLabel *Label3 = nullptr;  // era kanji
    QPushButton *PrevButton = nullptr;
    QPushButton *NextButton = nullptr;
    TSeriesDatesGrid *Grid1 = nullptr;  // the era's years
    QLabel *FullDateLabel = nullptr;
    QLabel *DirectionLabel = nullptr;
    TSeriesDatesGrid *Grid2 = nullptr;  // the series' dates
    QPushButton *OKbutton = nullptr;
    int EmperorIndex = 0;
    std::vector<int> DateArray;

    void FillSeriesDates();

protected:
    bool event(QEvent *e) override;

private:
    void NextButtonClick(int delta);
    void Grid1SelectCell();

    std::function<std::vector<int>()> seriesDates_;
    int currentYear_;
};
