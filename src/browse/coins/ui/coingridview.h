#pragma once
// The coin grid: a table model over CurrCoinList whose columns are the
// grid's columns by OriginalIndex (the model's column number; the header's
// visual order is the user's layout), a delegate that paints each cell from
// CoinCellContent, the raised header with the sort marks, and the view that
// turns a press into the current-row change followed by the row click.
// Cells are painted on demand, so a long list costs no more than a short one.
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

#include "core/model/mainstate.h"
#include "browse/coins/coingridheader.h"

class tColumnLayout;

// Normal sizes; "Use large fonts" takes its own (browse/shell/largefonts.h).
constexpr int CoinGridRowHeight = 32;
constexpr int CellFontSize = 16;

class TCoinGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TCoinGridModel(tMainState &state, const tColumnLayout &columns, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    // The cell's text for DisplayRole, its alignment for TextAlignmentRole.
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The entry of a row, null outside CurrCoinList.
    tCoinInfo *Coin(int row) const;
    // After CurrCoinList or the columns changed as a whole.
    void Reload();
    // After the entries changed in place (sort, edits): same rows and columns.
    void Repaint();

private:
    tMainState &state_;
    const tColumnLayout &columns_;
};

class TCoinGridHeader : public QHeaderView {
    Q_OBJECT
public:
    TCoinGridHeader(tMainState &state, QWidget *parent = nullptr);
    int FontSize = HeaderFontSize;

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
    QSize sizeHint() const override;

private:
    tMainState &state_;
};

class TCoinGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TCoinGridDelegate(tMainState &state, QObject *parent = nullptr);
    int FontSize = CellFontSize;
    bool Bold = false;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    tMainState &state_;
};

class TCoinGridView : public QTableView {
    Q_OBJECT
public:
    explicit TCoinGridView(QWidget *parent = nullptr);
    // Rows that fit in the viewport.
    int VisibleRows() const;

Q_SIGNALS:
    // A press on a row, after the current row has moved there.
    void RowClicked(int row, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    // Ctrl and Shift make the marks of the entries, not the view's own
    // selection: the view always selects just the current row.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
};
