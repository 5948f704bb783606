#pragma once
// The rules of the "Report Filters and Sorting" window: one record of
// parameters per report template, edited apart from the report list and
// written back to every template's parameter file on OK.
#include <vector>

#include <QString>
#include <QStringList>

#include "core/model/mainstate.h"
#include "reports/run/paraminfo.h"

// One template of the reports folder with its own parameters (no theme
// copies: a theme copy is edited through its template).
struct tFilterItem {
    QString Name;       // the template's file name without ".FR3"
    tParamInfo Params;  // Databases says which data sets the template uses
};

struct tFilterItems {
    std::vector<tFilterItem> Items;
    // Templates or parameter files that could not be read, one line each.
    QStringList Problems;
};

// Every ".FR3" template of the folder, in folder order, with its parameter
// file read and the data sets its template names. A damaged parameter file
// leaves the defaults; an unreadable template leaves Databases 0; both are
// listed in Problems.
tFilterItems LoadFilterItems(const QString &folder);

// The data-set bits of a template's data-set names (compared ignoring case).
uint16_t TemplateDatabases(const QStringList &dataSetNames);

// The item to select when the window opens: the last whose parameter file
// is the selected report's (so a theme copy selects its template), else 0;
// -1 without items.
int FilterSelection(const std::vector<tFilterItem> &items, const QString &selectedStreamName);

// The quantity filter of the four boxes "Have", "Need", "Sell", "Sold";
// none ticked is no filter (0).
uint8_t QuantityFilterOf(bool have, bool need, bool sell, bool sold);
bool QuantityBoxTicked(uint8_t filter, uint8_t bit);

// The forex sort list shows sort 1..4 at items 0..3; sort 0 shows no item.
int ForexSortOfIndex(int itemIndex);
int ForexIndexOfSort(int forexSort);

// Writes every item's parameter file (changed or not), each safely. Returns
// one line per file that could not be written; the others are written.
QStringList SaveFilterItems(const QString &folder, const std::vector<tFilterItem> &items);

// The coin data set's field names as a field list shows them: the declared
// names (the first baseCount of fields; names beyond them are taken off)
// followed by the label of every user-defined field. Applying it again
// gives the same list.
QStringList SyncReportUDFFields(const QStringList &fields, int baseCount, const OwningList<tUDFfield> &udfList);

// The texts of the window's lists, in item order (the item index is the
// stored value).
const QStringList &CoinSortItems();
const QStringList &CoinSourceItems();
const QStringList &CoinPaperItems();
const QStringList &CoinErrorItems();
const QStringList &PriceMergeItems();
const QStringList &ForexSortItems();
// The series filters' captions, by SeriesPurgeMask value 0..12.
const QStringList &SeriesFilterItems();
