#pragma once
// The editor's drop-down pickers (year/mint/variety, grade, grade modifier
// and the user pick lists) drawn closed as one line on white, light cyan
// while focused, in the largest size from 16 down to 10 that fits.
#include <QComboBox>

class TPickerBox : public QComboBox {
    Q_OBJECT
public:
    explicit TPickerBox(QWidget *parent = nullptr);
    // A blank goes before the chosen item's text (all but the year, mint
    // and variety list).
    bool LeadingBlank = true;
    // The text drawn in the closed box: the chosen item's, empty for none.
    QString ClosedText() const;
    // The font size the closed text is drawn at.
    int ClosedFontSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
