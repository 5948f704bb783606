#pragma once
// "Orvanta: Roman number converter": a Roman numeral or a western number
// typed on the "Converter" tab gives the other, with a hint where the typed
// numeral is not in its usual form; "Dates in this series" lists the years
// of the series selected in the main window in Roman numerals, refreshed
// whenever the window comes to the front.
#include <functional>
#include <vector>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TSeriesDatesGrid;

class TRomanForm : public QDialog {
    Q_OBJECT
public:
    // seriesDates gives the years of the series now selected.
    explicit TRomanForm(std::function<std::vector<int>()> seriesDates, QWidget *parent = nullptr);

    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;  // "Converter"
    QWidget *TabItem2 = nullptr;  // "Dates in this series"
    QLineEdit *Edit1 = nullptr;   // Roman
    QLineEdit *Edit2 = nullptr;   // western
    QLabel *DescLabel = nullptr;
    TSeriesDatesGrid *Grid1 = nullptr;
    QPushButton *OKbutton = nullptr;
    std::vector<int> DateArray;

    void FillSeriesDates();

protected:
    bool event(QEvent *e) override;

private:
    void Edit1Typing();
    void Edit2Typing();

    std::function<std::vector<int>()> seriesDates_;
};
