#pragma once
// "Price paister", the maintainer's paste-price tool: prices pasted into
// the memo are cleaned to one rising run and written into the grade slots
// of the price entry selected in the price grid. Its choices are kept in
// "PastePrice.ini" by Save. A modeless window.
#include <functional>
#include <vector>

#include <QDialog>

#include "core/model/mainstate.h"
#include "pricing/pricetools/pasteprice.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

// What the tool needs from the price grid.
struct tPastePriceEnv {
    // The price entry of the grid's selected column; null when no price
    // entry is selected (Paste is then disabled).
    std::function<tPriceInfo *()> SelectedPriceEntry;
    // Records an undo snapshot of the entry before it is overwritten.
    std::function<void(tPriceInfo &entry)> RecordPriceUndo;
    // Redraws the grid after a paste.
    std::function<void()> RenderPrices;
};

class TPastePriceForm : public QDialog {
    Q_OBJECT
public:
    TPastePriceForm(tMainState &s, tPastePriceEnv env, QWidget *parent = nullptr);

    QScrollArea *VertScrollBox1 = nullptr;
    std::vector<QRadioButton *> RadioButtonList;
    std::vector<QCheckBox *> CheckBoxList;
    QComboBox *ComboEdit1 = nullptr;  // "Grades below"
    QComboBox *ComboEdit3 = nullptr;  // "Grades skipped"
    QComboBox *ComboEdit2 = nullptr;  // "Grades above"
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *Button1 = nullptr;   // "Clear"
    QPushButton *Button2 = nullptr;   // "Clean"
    QPushButton *Button4 = nullptr;   // "Remove Spaces"
    QPushButton *PasteBtn = nullptr;
    QPushButton *Button3 = nullptr;   // "Save"
    QPushButton *Button5 = nullptr;   // "Select MS", Tag 1
    QPushButton *Button6 = nullptr;   // "Select PF", Tag 2
    QPushButton *Button7 = nullptr;   // "Select None", Tag 3

    int Strike() const { return strike_; }
    // Re-reads whether the grid has a price entry selected; the main window
    // calls it when the grid's selection changes.
    void CheckBox1Change();
    // The controls' choices.
    tPastePriceChoice Choice() const;
    QString IniPath() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void Button5Click(int tag);
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void PasteBtnClick();
    QStringList MemoLines() const;

    tMainState &s_;
    tPastePriceEnv env_;
    int strike_ = 0;
};
