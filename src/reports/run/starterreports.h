#pragma once
// The starter reports that come with the program: templates embedded under
// ":/reports/" with their parameters, copied into the reports folder when it
// holds no template, so a new user has reports to run.
#include <QString>
#include <QStringList>

QStringList StarterReportNames();

// When folder holds no ".FR3" template (any case), creates the folder if
// needed and writes every starter template with its parameter file. Returns
// how many reports were installed (0 when the folder already had one).
// Throws std::runtime_error when a file cannot be written.
int InstallStarterReports(const QString &folder);
