#pragma once
// Price-list files (".OVP") in orvanta-dump: printed as JSON with the
// program's own reader, or rewritten as the current version by its writer.
#include <QString>
#include <QTextStream>

// True when the file name ends in ".OVP", ignoring case.
bool IsPriceListFile(const QString &path);
// Prints the file as JSON on out; returns the exit status.
int DumpPriceList(const QString &path, QTextStream &out, QTextStream &err);
// Reads inPath (any version) and writes it to outPath as the current
// version, keeping its currency, country and date; returns the exit status.
int RewritePriceList(const QString &inPath, const QString &outPath, QTextStream &err);
