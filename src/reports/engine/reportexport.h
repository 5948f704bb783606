#pragma once
// Writing a prepared report to files: PDF, CSV and GIF. Every writer goes
// through a temporary file that replaces the target only when complete, and
// throws std::runtime_error with a message for the user when it fails.
#include <QString>
#include <QStringList>

#include "reports/engine/preparedreport.h"

// Writes bytes to path through a temporary file that replaces the target
// only when complete. Throws std::runtime_error with a message for the user.
void WriteFileWhole(const QString &path, const QByteArray &bytes);

void ExportReportPdf(const tPreparedReport &report, const QString &path);

// One line per printed band (page headers and footers left out, since a
// table has no pages), the texts of each band from left to right, separated
// by ",", quoted only when they hold a comma, a quote or a line break.
QString ReportCsvText(const tPreparedReport &report);
void ExportReportCsv(const tPreparedReport &report, const QString &path);

// One picture per page at the given resolution: a one-page report is
// written to path itself, a longer one to "name_1.gif", "name_2.gif", ...
// beside it. Returns the files written.
QStringList ExportReportGif(const tPreparedReport &report, const QString &path, double dpi = 96);
