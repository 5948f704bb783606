#pragma once
// "Orvanta: Serial Number Explorer": a United States note of the series
// 1974 to 2017A described by denomination, series, bank, suffix and serial
// number; the window tells when and where it was printed, who signed it and
// which notable patterns its serial number shows.
#include <vector>

#include <QDialog>

#include "tools/serials/serials.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TSNform : public QDialog {
    Q_OBJECT
public:
    explicit TSNform(QWidget *parent = nullptr);
    // A window over the given runs (tests).
    TSNform(std::vector<tRunInfo> runs, QWidget *parent = nullptr);

    QComboBox *ComboBox1 = nullptr;  // denomination
    QComboBox *ComboBox2 = nullptr;  // series
    QComboBox *ComboBox3 = nullptr;  // bank
    QComboBox *ComboBox4 = nullptr;  // suffix
    QLineEdit *Edit1 = nullptr;      // serial number
    QLabel *Label9 = nullptr;        // Treasurer's name
    QLabel *Image1 = nullptr;        // and signature
    QLabel *Label10 = nullptr;       // Secretary's name
    QLabel *Image2 = nullptr;
    QLabel *PrintedLabel = nullptr;
    QLabel *PatternLabel = nullptr;
    QPushButton *DoneBtn = nullptr;

    const std::vector<tRunInfo> &RunList() const { return runs_; }
    void Explore();

private:
    void Build();
    void ComboBox1Change();
    void ComboBox2Change();

    std::vector<tRunInfo> runs_;
    QString loadError_;
};

// A signer's signature as we draw it: the name in a flowing hand, 200 x 50.
QImage SignaturePicture(const QString &name);
