#pragma once
// "Orvanta: National Bank Charters": the historical national banks of the
// United States in a table, which notes the selected bank issued in each
// series, filters by note, denomination or series, and five column orders.
#include <array>
#include <vector>

#include <QAbstractTableModel>
#include <QDialog>
#include <QLabel>

#include "tools/charters/charters.h"

class QPushButton;
class QTableView;

// A label that answers a click.
class TClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The shown banks as the table's rows.
class TBankTableModel : public QAbstractTableModel {
public:
    TBankTableModel(const std::vector<tNBN> &banks, const std::vector<int> &shown, QObject *parent)
        : QAbstractTableModel(parent), banks_(banks), shown_(shown)
    {
    }
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void Reset(const std::function<void()> &change);

private:
    const std::vector<tNBN> &banks_;
    const std::vector<int> &shown_;
};

class TNBNForm : public QDialog {
    Q_OBJECT
public:
    explicit TNBNForm(QWidget *parent = nullptr);
    // A window over the given stream (tests).
    TNBNForm(const QByteArray &stream, QWidget *parent = nullptr);

    std::array<QPushButton *, 5> SortButtons{};  // Button1..Button5
    QTableView *Grid1 = nullptr;
    QWidget *Layout3 = nullptr;                  // the filter bar
    QPushButton *Button6 = nullptr;              // "Clear filter"
    QLabel *FilterLabel = nullptr;
    QLabel *Label12 = nullptr;                   // charter year
    QLabel *LoadErrorLabel = nullptr;
    QPushButton *OkBtn = nullptr;
    // Label (d, s) at d * 10 + s.
    std::array<TClickLabel *, CharterDenominations * CharterSeriesRows> LabelArray{};
    std::array<TClickLabel *, CharterSeriesRows> SeriesLabels{};
    std::array<TClickLabel *, CharterDenominations> DenominationLabels{};

    const std::vector<tNBN> &NBNlist() const { return banks_; }
    const std::vector<int> &NBNsubList() const { return shown_; }
    bool BanksLoaded() const { return loaded_; }
    // The bank whose symbols are shown (-1 none).
    int SymbolsOf() const { return symbolsOf_; }

    void ApplyFilter(const tCharterFilter &filter);
    void ClearFilter();
    void SortByColumn(int button);

private:
    void Build();
    void Load(const QByteArray &stream);
    void ShowSymbols(int row);
    void ShowRowZero();

    std::vector<tNBN> banks_;
    std::vector<int> shown_;
    TBankTableModel *model_ = nullptr;
    bool loaded_ = false;
    bool inSort_ = false;
    int symbolsOf_ = -1;
    QString loadError_;
};
