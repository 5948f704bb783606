#pragma once
// A report run: the selected report entry's template is loaded, the rows of
// series, price entries and coins are built from the series selected in the
// tree and filtered, sorted and merged by the entry's parameters, and the
// engine prepares the pages, pulling the rows through the data sets.
#include <functional>
#include <optional>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"
#include "reports/engine/reportengine.h"
#include "reports/run/paraminfo.h"
#include "reports/datasets/reportdata.h"

// Which of the program's data sets the template uses.
struct tReportUses {
    bool Prices = false;
    bool Coins = false;
    bool Series = false;
    bool Forex = false;
};

tReportUses ReportUsesOf(const tReportEngine &engine);

// Pre-order over the whole tree: Tag2 = position (root 0), Tag = 1 inside the
// selected subtree and 0 elsewhere, inside series appended to ReportListSeries.
void CollectReportSeries(tMainState &s);
// Builds ReportListSeries always, ReportListPrices when the template uses
// "Prices" and ReportListCoins when it uses "Coins".
void BuildReportLists(tMainState &s, const tParamInfo &p, const tReportUses &uses, const tReportEnvironment &env);

bool CoinPassesQuantityFilter(const tCoinInfo &coin, const tParamInfo &p);
bool CoinPassesStoredInFilter(const tCoinInfo &coin, const tParamInfo &p);
bool CoinPassesNoPriceFilter(tMainState &s, tCoinInfo &coin, const tParamInfo &p);
bool CoinPassesNoImageFilter(const tCoinInfo &coin, const tParamInfo &p, const tReportEnvironment &env);

// Stable sorts; equal rows keep their order.
void SortReportCoins(tMainState &s, const tParamInfo &p);
void SortReportPrices(tMainState &s);
void MergeReportPrices(tMainState &s, const tParamInfo &p);
void FilterReportSeries(tMainState &s, const tParamInfo &p, const tReportEnvironment &env);
// Rebuilds ReportListForex from ForexList (every currency but "Demonetized"
// and "None"): the codes of lastOrder first, in that order, then the rest in
// ForexList order.
void SyncReportForex(tMainState &s, const QStringList &lastOrder);
// The codes of ReportListForex in order, to keep for the next run.
QStringList ReportForexOrder(const tMainState &s);
void SortReportForex(tMainState &s, const tParamInfo &p);

// The engine, the data sets and the run, owned by the reports page.
class tReportRunner {
public:
    explicit tReportRunner(tMainState &s);
    tReportRunner(const tReportRunner &) = delete;
    tReportRunner &operator=(const tReportRunner &) = delete;

    tMainState &State;
    tReportEngine Engine;
    tReportData Data;
    tReportEnvironment Env;

    // Runs a report entry of the templates in folder; true when pages were
    // prepared (Engine.Prepared()). A run asked for while one is preparing
    // (the progress callback lets events through) stops that one and runs
    // as soon as it has ended, so only the latest request shows. Throws
    // tReportError when the template is missing or unusable; the row lists
    // are then empty.
    bool Run(const tParamInfo &params, const QString &folder);

private:
    bool RunOnce(const tParamInfo &params, const QString &folder);
    std::optional<tParamInfo> pending_;
    QString pendingFolder_;
    QStringList forexOrder_;  // the currency order the last run left
    tParamInfo running_;
};
