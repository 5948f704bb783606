#include "tools/seriesdates/ui/seriesdatesgrid.h"

#include <QPainter>
#include <QTabWidget>

TConverterHeader::TConverterHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setMinimumHeight(30);
}

void TConverterHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    painter->translate(rect.topLeft());
    const int w = rect.width() - 1;
    const int h = rect.height() - 1;
    painter->fillRect(QRect(0, 0, rect.width(), rect.height()), QColor(0xDC, 0xDC, 0xDC));
    // Light edges top and left, dark ones bottom and right: a raised cell.
    painter->setPen(QPen(QColor(0xFA, 0xF0, 0xE6), 3));
    painter->drawLine(1, 1, w, 1);
    painter->drawLine(1, 1, 1, h);
    painter->setPen(QPen(QColor(0x70, 0x80, 0x90), 3));
    painter->drawLine(w, h, w, 0);
    painter->drawLine(w, h, 2, h);
    QFont f = font();
    f.setPixelSize(16);
    f.setBold(true);
    painter->setFont(f);
    painter->setPen(QColor(0x2F, 0x4F, 0x4F));
    const QString text = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
    painter->drawText(QRect(0, 0, rect.width(), rect.height()), Qt::AlignCenter, text);
    painter->restore();
}

TSeriesDatesGrid::TSeriesDatesGrid(const QStringList &titles, const QList<int> &widths, QWidget *parent)
    : QTableWidget(0, static_cast<int>(titles.size()), parent)
{
    setObjectName(QStringLiteral("Grid1"));
    setHorizontalHeader(new TConverterHeader(this));
    setHorizontalHeaderLabels(titles);
    for (int c = 0; c < widths.size(); ++c)
        setColumnWidth(c, widths[c]);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(32);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TSeriesDatesGrid::Fill(const std::vector<int> &years, const std::function<QString(int, int)> &cell)
{
    setRowCount(static_cast<int>(years.size()));
    QFont f = font();
    f.setPixelSize(22);
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c) {
            auto *item = new QTableWidgetItem(cell(years[static_cast<size_t>(r)], c));
            item->setFont(f);
            item->setForeground(Qt::black);
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            setItem(r, c, item);
        }
    viewport()->update();
}

bool ShowSeriesDates(QTabWidget *tabs, QWidget *converterTab, QWidget *datesTab, TSeriesDatesGrid *grid,
                     const std::vector<int> &years, const std::function<QString(int, int)> &cell)
{
    const int index = tabs->indexOf(datesTab);
    if (years.empty()) {
        tabs->setCurrentWidget(converterTab);
        tabs->setTabVisible(index, false);
        grid->setRowCount(0);
        return false;
    }
    grid->Fill(years, cell);
    tabs->setTabVisible(index, true);
    return true;
}
