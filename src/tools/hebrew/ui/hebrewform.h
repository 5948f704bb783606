#pragma once
// "Hebrew date converter": a year of the common era or a Jewish year of the
// sixth millennium gives the other, written with Hebrew letters (their
// names, a right-to-left picture of the glyphs and the pressed letter
// buttons); pressing letter buttons composes a year. "Dates in this series"
// lists the years of the selected series in both eras.
#include <array>
#include <functional>
#include <vector>

#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QVariantAnimation;
class TSeriesDatesGrid;

class THebrewForm : public QDialog {
    Q_OBJECT
public:
    THebrewForm(std::function<std::vector<int>()> seriesDates, int currentYear, QWidget *parent = nullptr);

    QTabWidget *TabControl1 = nullptr;
    QWidget *TabItem1 = nullptr;
    QWidget *TabItem2 = nullptr;
    std::array<QToolButton *, 23> ButtonList{};  // 1..22 by tag
    QLabel *Image1 = nullptr;
    QImage Picture;
    QLabel *Label1 = nullptr;  // "Jewish year"
    QLabel *Label2 = nullptr;  // the name line
    QLabel *Label3 = nullptr;  // "Gregorian year"
    QLabel *Label4 = nullptr;  // the note on grey letters
    QLabel *Label5 = nullptr;  // "5000+"
    QLineEdit *Edit1 = nullptr;  // Jewish year without its thousands
    QLineEdit *Edit2 = nullptr;  // A.D.
    TSeriesDatesGrid *Grid1 = nullptr;
    QPushButton *OKbutton = nullptr;
    std::vector<int> DateArray;

    void FillSeriesDates();
    // letterButton: the tag of the letter button that triggered the call, 0
    // for a typed year.
    void ShowHebrewYear(int jewishYear, int letterButton);

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void Edit1Typing();
    void Edit2Typing();
    void LetterButtonClick(int tag);
    void SetPressed(int tag, bool on);

    std::function<std::vector<int>()> seriesDates_;
    std::vector<QImage> imageList_;
    qreal defaultYpos_ = 0;
    qreal defaultMidline_ = 0;
    int defaultHeight_ = 0;
    QVariantAnimation *grow_[2] = {nullptr, nullptr};
};
