#pragma once
// Printing a prepared report. Pages are painted with the same painter as
// the preview and the exports, scaled to the paper with their proportions.
#include "reports/engine/preparedreport.h"

class QPrinter;
class QWidget;

// Prints the pages the printer's range asks for (all when none). Throws
// std::runtime_error when the printer cannot be started.
void PrintPreparedReport(const tPreparedReport &report, QPrinter &printer);

// Asks for the printer and prints; false when the user cancelled.
bool PrintPreparedReportWithDialog(const tPreparedReport &report, QWidget *parent);
