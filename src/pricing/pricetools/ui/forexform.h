#pragma once
// "Orvanta: Exchange rates": every currency with its rate against the
// active one, sortable by a click on a column header, an amount to compare
// in both directions, and "Select this currency" to make the current row
// the active currency. A modeless tool window.
#include <functional>
#include <vector>

#include <QDialog>

#include "core/model/mainstate.h"
#include "pricing/pricetools/forexview.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class TForexForm : public QDialog {
    Q_OBJECT
public:
    // currencyChanged runs after a currency was selected and the price
    // lists and spot prices were converted: the main window redraws what
    // shows amounts.
    TForexForm(tMainState &s, std::function<void()> currencyChanged, QWidget *parent = nullptr);

    QTableWidget *Grid1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *NoRatesLabel = nullptr;  // shown while no exchange rates are known
    QPushButton *SelectCurrencyButton = nullptr;
    QPushButton *DoneBtn = nullptr;

    int GridSortCol() const { return gridSortCol_; }
    double TanslateValue() const { return tanslateValue_; }
    const std::vector<tLocalForex> &LocalForexList() const { return rows_; }

private:
    void Grid1HeaderClick(int column);
    void Edit1Typing(const QString &text);
    void SelectCurrencyButtonClick();
    void ShowSelectedCurrency();
    void FillGrid();
    void UpdateSelectButton();

    tMainState &s_;
    std::function<void()> currencyChanged_;
    std::vector<tLocalForex> rows_;
    int gridSortCol_ = ForexColDescription;
    double tanslateValue_ = 1.0;
    QString lastAmountText_;
};
