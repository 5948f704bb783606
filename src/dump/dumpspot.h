#pragma once
// orvanta-dump's reading and rewriting of the daily spot-price file.
#include <QString>

class QTextStream;

bool IsSpotFile(const QString &path);
// Prints the file as JSON (what was readable, also from a damaged file);
// returns 0 for a whole file, 1 for a damaged one.
int DumpSpotFile(const QString &path, QTextStream &out, QTextStream &err);
int RewriteSpotFile(const QString &in, const QString &out, QTextStream &err);
