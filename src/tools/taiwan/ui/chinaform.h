#pragma once
// "Orvanta: Taiwan date converter": "Republic dates" lists every Republic
// year from 1 (A.D. 1912) to the current one with its Chinese numerals and
// pinyin; "Cyclical dates" shows the earthly branch and the element of the
// sixty-year cycle chosen by two track bars or a typed year, as two cover
// flows of cards, the branch and stem characters and the years that carry
// the pair.
#include <vector>

#include <QDialog>
#include <QImage>

class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class QVariantAnimation;
class TSeriesDatesGrid;

// A row of cards, the front one facing the viewer in the middle, the others
// turned away to either side; moving the front slides the row.
class TCoverFlow : public QWidget {
public:
    TCoverFlow(std::vector<QImage> cards, QWidget *parent = nullptr);
    int Front() const { return front_; }
    // Brings card t (clamped to the cards) to the front.
    void FlowTo(int t);
    // Where card k stands now, in steps from the centre.
    qreal CardSteps(int k) const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    std::vector<QImage> cards_;
    int front_ = 0;
    int from_ = 0;
    qreal progress_ = 1.0;
    QVariantAnimation *anim_ = nullptr;
};

class TChinaForm : public QDialog {
    Q_OBJECT
public:
    TChinaForm(int currentYear, QWidget *parent = nullptr);

    QTabWidget *TabControl1 = nullptr;
    TSeriesDatesGrid *Grid1 = nullptr;
    TCoverFlow *Coverflow = nullptr;   // the 12 branches
    TCoverFlow *Coverflow2 = nullptr;  // the 5 elements
    QLabel *Image1 = nullptr;          // branch character
    QLabel *Image2 = nullptr;          // stem character
    QLabel *YearsLabel = nullptr;
    QSlider *TrackBar1 = nullptr;      // branch
    QSlider *TrackBar2 = nullptr;      // element
    QLineEdit *Edit1 = nullptr;
    QPushButton *OKbutton = nullptr;
    int Char1Index = -1;
    int Char2Index = -1;

    void ShowCyclePictures(int index, bool element);

private:
    void TrackBarChange(QSlider *bar);
    void Edit1Typing();
    void ListCycleYears();
    void Fade(QLabel *image, const QString &character);
};
