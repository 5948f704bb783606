#pragma once
// The "Stats" side page: the statistics of the selected subtree in some
// sixty labels, laid out in one or two columns for coins and four for paper
// money. A run is started with StartCalcThread; "Calculating..." shows
// until its result is on the page. The page only shows texts: the counts,
// texts and layout come from pricing/statistics/statistics.
#include <memory>

#include <QHash>
#include <QObject>

#include "pricing/statistics/statistics.h"

class QFrame;
class QLabel;
class QScrollArea;
class QWidget;

class TStatsPanel : public QObject {
    Q_OBJECT
public:
    // Builds the labels into content (the widget of scrollBox, ScrollBox1)
    // and "Calculating..." above it on page; label45 is the window's own
    // "Next series" line, which joins the layout.
    TStatsPanel(tMainState &state, QWidget *page, QScrollArea *scrollBox, QWidget *content, QLabel *label45);

    // The totals of the last run shown.
    tTotaler Totaler;
    QLabel *Label49 = nullptr;    // "Calculating..."
    QFrame *Line1 = nullptr;      // separator of the two coin columns
    QScrollArea *ScrollBox1 = nullptr;
    TStatsRunner *Runner = nullptr;

    // Starts a run for the selected series and shows "Calculating...".
    void StartCalcThread();
    // Lays the labels out for coins (one or two columns) or paper money.
    void ArrangeStatsLabels(bool coins);
    // Hides "Calculating..." and shows the statistics.
    void RevealStatistics();
    QLabel *Label(const QString &name) const { return labels_.value(name); }

Q_SIGNALS:
    // A run's result is on the page.
    void StatisticsShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowResult(const std::shared_ptr<const tStatsResult> &result);

    tMainState &s_;
    QWidget *page_;
    QWidget *content_;
    QHash<QString, QLabel *> labels_;
    bool coins_ = true;
    bool arranging_ = false;
};
