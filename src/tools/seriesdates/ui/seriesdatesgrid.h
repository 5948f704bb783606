#pragma once
// The "Dates in this series" grid of the date converters: one row per year
// of the selected series, cells the converter fills, column headers drawn in
// the converters' raised grey look.
#include <functional>

#include <QHeaderView>
#include <QTableWidget>

class QTabWidget;

class TConverterHeader : public QHeaderView {
public:
    explicit TConverterHeader(QWidget *parent = nullptr);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};

class TSeriesDatesGrid : public QTableWidget {
public:
    // columns: header titles and widths.
    TSeriesDatesGrid(const QStringList &titles, const QList<int> &widths, QWidget *parent = nullptr);
    // One row per year; cell(year, column) gives each cell's text.
    void Fill(const std::vector<int> &years, const std::function<QString(int year, int column)> &cell);
};

// The converters' "Dates in this series" tab: filled from the series' years,
// or hidden (the converter tab shown instead) when the series has none.
// True when the grid was filled.
bool ShowSeriesDates(QTabWidget *tabs, QWidget *converterTab, QWidget *datesTab, TSeriesDatesGrid *grid,
                     const std::vector<int> &years, const std::function<QString(int year, int column)> &cell);
