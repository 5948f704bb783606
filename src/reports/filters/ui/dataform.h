#pragma once
// "Orvanta: Report Filters and Sorting": the parameters of every report
// template on five tabs, with the data sets each template uses. The
// records live with the window; OK writes every template's parameter file
// and reloads the report list, Cancel drops the edits.
#include <array>
#include <functional>

#include <QDialog>

#include "reports/filters/reportfilters.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

class TDataForm : public QDialog {
    Q_OBJECT
public:
    // folder: the reports folder; selectedStreamName: the parameter file of
    // the report selected in the main list (empty for none); storedPlaces:
    // the known storage places.
    TDataForm(const QString &folder, const QString &selectedStreamName, const QStringList &storedPlaces,
              QWidget *parent = nullptr);

    // False when the folder holds no template: the window then closes at once.
    bool HasItems() const { return !items_.Items.empty(); }
    const std::vector<tFilterItem> &Items() const { return items_.Items; }

    // After OK has written the files: reload the report list and show the
    // selected report's description.
    std::function<void()> ReportsSaved;

    QListWidget *ListBox1;
    QTabWidget *TabControl1;
    std::array<QComboBox *, 6> SortComboBoxes{};
    QComboBox *ComboBox1;  // source of report items
    QComboBox *ComboBox2;  // types of entries
    QComboBox *ComboBox3;  // mint errors
    std::array<QCheckBox *, 4> QuantityBoxes{};  // Have, Need, Sell, Sold
    QComboBox *ComboEdit1;  // stored in
    QComboBox *PriceMergeComboBox;
    std::array<QRadioButton *, 3> PriceRadios{};  // by PricePurgeMask
    QCheckBox *CheckBox5;  // theme copies
    std::array<QRadioButton *, 13> SeriesRadios{};  // by SeriesPurgeMask
    QComboBox *ComboBox4;  // forex sort
    QPlainTextEdit *Memo2;
    std::array<QCheckBox *, 6> DatabaseBoxes{};  // Prices, Coins, Series, eBooks, Forex, Collection
    QPushButton *OKButton;
    QPushButton *CancelButton;

private:
    tParamInfo *Current();
    void ShowParams();
    void OKButtonClick();

    QString folder_;
    tFilterItems items_;
    bool showing_ = false;  // ShowParams is filling the controls
};
