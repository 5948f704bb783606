#pragma once
// What every kind of file orvanta-dump handles shares: getting the file's
// bytes, writing a rewritten file whole, and printing money exactly. A
// failure is printed on err as "path: reason", which the caller turns into
// exit status 1.
#include <QByteArray>
#include <QString>

#include "core/model/money.h"

class QTextStream;

// The whole file; false (with the reason printed) when it cannot be read.
bool ReadDumpInput(const QString &path, QByteArray &bytes, QTextStream &err);
// Replaces the file at path with bytes through a temporary file, so a failed
// write leaves any earlier file as it was; false (with the reason printed)
// on failure.
bool WriteDumpOutput(const QString &path, const QByteArray &bytes, QTextStream &err);
// Money as exact decimal text with four places, "-12.3400"; a JSON number
// would lose digits beyond 2^53.
QString MoneyText(Money m);
