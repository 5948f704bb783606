#include "dump/dumpspot.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTextStream>

#include "pricing/spotprices.h"

bool IsSpotFile(const QString &path)
{
    return QFileInfo(path).fileName().compare(QLatin1String(SpotPricesFileName), Qt::CaseInsensitive) == 0;
}

namespace {
bool ReadAll(const QString &path, QByteArray &bytes, QTextStream &err)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        err << path << ": " << f.errorString() << "\n";
        return false;
    }
    bytes = f.readAll();
    return true;
}
} // namespace

int DumpSpotFile(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray bytes;
    if (!ReadAll(path, bytes, err))
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
    if (!ReadAll(in, bytes, err))
        return 1;
    const tSpotFile f = ReadSpotFile(bytes);
    if (!f.Complete()) {
        err << in << ": " << f.Error << "\n";
        return 1;
    }
    QSaveFile target(out);
    if (!target.open(QIODevice::WriteOnly) || target.write(WriteSpotFile(f)) < 0 || !target.commit()) {
        err << out << ": " << target.errorString() << "\n";
        return 1;
    }
    return 0;
}
