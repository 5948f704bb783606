#pragma once
// orvanta-dump's handling of price-list files (".OVP"): the JSON print and
// the rewrite as the current version, on the file's bytes.
#include <QByteArray>
#include <QJsonObject>
#include <QString>

// True when the file name ends in ".OVP", ignoring case.
bool IsPriceListFile(const QString &fileName);
// The file as JSON. Returns false when the file is damaged; the header and
// the records read before the damage are still in out, with the reader's
// message under "error".
bool PriceListToJson(const QByteArray &bytes, QJsonObject &out);
// The file (any version) as the current version, keeping its currency,
// country and date. Throws when the file is damaged.
QByteArray RewritePriceList(const QByteArray &bytes);

class QTextStream;
// Prints the file as JSON; 0 for a whole file, 1 for a damaged or unreadable one.
int DumpPriceList(const QString &path, QTextStream &out, QTextStream &err);
int RewritePriceListFile(const QString &in, const QString &out, QTextStream &err);
