#pragma once
// "Polygon Coins Tool": the number of sides, one measurement in millimetres
// and what it measures give the holder size and the other measures of a
// polygonal coin, beside a picture of the shape.
#include <array>

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TPolygonForm : public QDialog {
    Q_OBJECT
public:
    explicit TPolygonForm(QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr;   // shape
    QLineEdit *Edit1 = nullptr;       // measurement (mm)
    QGroupBox *GroupBox1 = nullptr;   // "Measured"
    std::array<QRadioButton *, 3> RadioButtons{};
    QLabel *Image1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *DoneBtn = nullptr;

    void Calculate();

private:
    void ComboBox1Change();
    int Mode() const;
};
