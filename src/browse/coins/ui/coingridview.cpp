#include "browse/coins/ui/coingridview.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>

#include "core/model/currproc.h"
#include "browse/coins/coingridcells.h"
#include "browse/coins/coingridcolumns.h"
#include "browse/coins/coingridheader.h"
#include "browse/coins/ui/coingridimages.h"

// ---- Model ----

TCoinGridModel::TCoinGridModel(tMainState &state, const tColumnLayout &columns, QObject *parent)
    : QAbstractTableModel(parent), state_(state), columns_(columns)
{
}

int TCoinGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(state_.CurrCoinList.size());
}

int TCoinGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columns_.Count();
}

tCoinInfo *TCoinGridModel::Coin(int row) const
{
    return row >= 0 && row < static_cast<int>(state_.CurrCoinList.size()) ? state_.CurrCoinList[row] : nullptr;
}

QVariant TCoinGridModel::data(const QModelIndex &index, int role) const
{
    tCoinInfo *coin = Coin(index.row());
    if (!coin || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    const tCoinCell cell = CoinCellContent(state_, *coin, index.column());
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(cell.Align);
    return cell.Text;
}

QVariant TCoinGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return CoinColumnTitle(state_, section);
    return {};
}

void TCoinGridModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void TCoinGridModel::Repaint()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---- Header ----

TCoinGridHeader::TCoinGridHeader(tMainState &state, QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent), state_(state)
{
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    // A stored width of 0 hides a column until it is widened or reset.
    setMinimumSectionSize(0);
}

void TCoinGridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    CurrProcGuard guard(27600);
    Draw3DColumnHeader(CoinColumnTitle(state_, logicalIndex), *painter, rect, FontSize);
}

QSize TCoinGridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    s.setHeight(FontSize + 16);
    return s;
}

// ---- Delegate ----

TCoinGridDelegate::TCoinGridDelegate(tMainState &state, QObject *parent) : QStyledItemDelegate(parent), state_(state) {}

void TCoinGridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int row = index.row();
    if (row < 0 || row >= static_cast<int>(state_.CurrCoinList.size()))
        return;
    tCoinInfo &coin = *state_.CurrCoinList[row];

    // Background: the view's (alternating rows, the current row's
    // highlight), or yellow for a marked row that is not the current one.
    QStyleOptionViewItem bg = option;
    initStyleOption(&bg, index);
    bg.text.clear();
    const QWidget *w = option.widget;
    QStyle *style = w ? w->style() : nullptr;
    if (style)
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &bg, painter, w);
    if (coin.selected && row != state_.CoinGridRow)
        painter->fillRect(option.rect, QColor(0xFF, 0xFF, 0x00));

    const tCoinCell cell = CoinCellContent(state_, coin, index.column());
    painter->save();
    painter->setClipRect(option.rect);
    QRect textRect = option.rect.adjusted(3, 0, -3, 0);
    if (cell.Image != CoinImgNone) {
        const QPixmap &pm = CoinGridImage(cell.Image);
        if (!pm.isNull()) {
            const QSize size = pm.deviceIndependentSize().toSize().scaled(option.rect.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(0, 0), size);
            target.moveCenter(option.rect.center());
            painter->drawPixmap(target, pm);
        }
    }
    if (cell.Lock) {
        const int side = option.rect.height();
        const QRect square(option.rect.left(), option.rect.top(), side, side);
        painter->drawPixmap(square, CoinGridImage(CoinImgLock));
        if (cell.Align & Qt::AlignLeft)
            textRect.setLeft(square.right() + 2);
    }
    if (!cell.Text.isEmpty()) {
        QFont font = option.font;
        font.setPixelSize(FontSize);
        font.setBold(Bold);
        painter->setFont(font);
        const bool current = row == state_.CoinGridRow && (option.state & QStyle::State_Selected);
        painter->setPen(cell.Colour == QColor(Qt::black) && current
                            ? option.palette.color(QPalette::HighlightedText)
                            : cell.Colour);
        painter->drawText(textRect, static_cast<int>(cell.Align) | Qt::TextSingleLine, cell.Text);
    }
    painter->restore();
}

// ---- View ----

TCoinGridView::TCoinGridView(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setShowGrid(true);
    setWordWrap(false);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(CoinGridRowHeight);
    // The current row stays highlighted while the editor has the focus.
    QPalette p = palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

int TCoinGridView::VisibleRows() const
{
    return viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize());
}

void TCoinGridView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && event->button() == Qt::LeftButton)
        Q_EMIT RowClicked(index.row(), event->modifiers());
}

QItemSelectionModel::SelectionFlags TCoinGridView::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    if (!index.isValid())
        return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}
