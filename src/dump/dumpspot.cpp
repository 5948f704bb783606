#include "dump/dumpspot.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include "dump/dumpio.h"
#include "pricing/valuation/spotprices.h"

bool IsSpotFile(const QString &path)
{
    return QFileInfo(path).fileName().compare(QLatin1String(SpotPricesFileName), Qt::CaseInsensitive) == 0;
}

int DumpSpotFile(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray bytes;
    if (!ReadDumpInput(path, bytes, err))
        return 1;
    const tSpotFile f = ReadSpotFile(bytes);
    out << QJsonDocument(SpotFileToJson(f)).toJson(QJsonDocument::Indented);
    if (!f.Complete()) {
        err << path << ": " << f.Error << "\n";
        return 1;
    }
    return 0;
}

int RewriteSpotFile(const QString &in, const QString &out, QTextStream &err)
{
    QByteArray bytes;
    if (!ReadDumpInput(in, bytes, err))
        return 1;
    const tSpotFile f = ReadSpotFile(bytes);
    if (!f.Complete()) {
        err << in << ": " << f.Error << "\n";
        return 1;
    }
    return WriteDumpOutput(out, WriteSpotFile(f), err) ? 0 : 1;
}
