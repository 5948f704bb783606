#pragma once
// "Orvanta: User Defined Grade Scales": the user names the slots of three
// scales of their own, for coins and for paper money, beside the standard
// scale. The window edits a copy; OK puts the user scales back, Cancel
// leaves the titles as they were.
#include <functional>

#include <QDialog>

#include "pricing/pricetools/gradescales.h"

class QPushButton;
class QTabBar;
class QTableWidget;
class QTableWidgetItem;

class TGradesForm : public QDialog {
    Q_OBJECT
public:
    // titles must outlive the window. applied runs after OK has copied the
    // titles back, with whether any title changed.
    TGradesForm(tGradeTitles &titles, std::function<void(bool changed)> applied, QWidget *parent = nullptr);

    QTabBar *TabControl1 = nullptr;  // "Coins" (kind 0), "Paper money" (kind 1)
    QTableWidget *Grid1 = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

    int EntryIndex() const { return entryIndex_; }

private:
    void TabControl1Change(int index);
    void Grid1SetValue(QTableWidgetItem *item);
    void OkBtnClick();
    void FillGrid();

    tGradeTitles &titles_;
    tGradeScaleEdit edit_;
    std::function<void(bool)> applied_;
    int entryIndex_ = GradeKindCoins;
    bool filling_ = false;
};
