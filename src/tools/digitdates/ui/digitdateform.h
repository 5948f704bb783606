#pragma once
// The digit-glyph date converters: one window for the Bengali, Thai,
// Burmese, Nepal and Arab converters, with a rule per member. "Converter"
// turns a year of the common era into the member's era and shows it in the
// member's digits, as a picture of digit glyphs; the digit buttons roll a
// digit into the era box. "Dates in this series" lists the years of the
// series selected in the main window, refreshed whenever the window comes
// to the front.
#include <array>
#include <functional>
#include <vector>

#include <QDialog>
#include <QImage>

#include "tools/digitdates/digitdates.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class TSeriesDatesGrid;

class TDigitDateForm : public QDialog {
    Q_OBJECT
public:
    // seriesDates gives the years of the series now selected; currentYear
    // the year the boxes start with.
    TDigitDateForm(tDigitMember member, std::function<std::vector<int>()> seriesDates, int currentYear,
                   QWidget *parent = nullptr);

    tDigitMember Member;
    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;  // "Converter"
    QWidget *TabItem2 = nullptr;  // "Dates in this series"
    std::array<QToolButton *, 10> ButtonList{};
    QLabel *Image1 = nullptr;
    QImage Picture;               // what Image1 shows, at full size
    QLineEdit *ADedit = nullptr;  // the Bengali window's only box
    QLineEdit *EraEdit = nullptr; // BEedit, VSedit, ArabEdit; none for Bengali
    QLabel *ADlabel = nullptr;
    QLabel *EraLabel = nullptr;   // BElabel, VSlabel
    QLabel *Label1 = nullptr;     // era name, or the Arab calendar note
    QLabel *Label2 = nullptr;     // Arab: the calendar year under the picture
    QLabel *Label3 = nullptr;     // Thai: years used
    QLabel *Label4 = nullptr;     // Thai: era years used
    QRadioButton *RadioButton1 = nullptr;
    QRadioButton *RadioButton2 = nullptr;
    QComboBox *ComboBox1 = nullptr;  // Arab: the converter's calendar
    QComboBox *ComboBox2 = nullptr;  // Arab: the grid's calendar
    TSeriesDatesGrid *Grid1 = nullptr;
    QPushButton *OKbutton = nullptr;
    std::vector<int> DateArray;

    void FillSeriesDates();
    void DrawYearGlyphs(int year);
    void SpeedButtonClick(int digit);
    // The grid cell of a year and column.
    QString CellText(int year, int column) const;
    // The era box of the member (the A.D. box for Bengali).
    QLineEdit *EraBox() const;

protected:
    bool event(QEvent *e) override;

private:
    void BuildConverterTab(int currentYear);
    void ADeditTyping();
    void EraEditTyping();
    void ShowEra(int era);
    void ScriptChange();
    void ComboBox1Change();
    void ComboBox2Change();
    int ScriptOffset() const;
    int Calendar() const;
    int GridCalendar() const;
    void SetNumber(QLineEdit *box, int value);

    std::function<std::vector<int>()> seriesDates_;
    std::vector<QImage> imageList_;  // glyphs: digit, plus 10 for the second script
};
