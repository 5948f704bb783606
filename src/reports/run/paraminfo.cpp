#include "reports/run/paraminfo.h"

#include <stdexcept>

#include <QDir>
#include <QFile>

#include "core/model/currproc.h"
#include "core/files/valuestream.h"
#include "platform/paths.h"
#include "reports/engine/reportexport.h"

namespace {

const QLatin1String ParamExt(".FrF");
const QLatin1String TemplateExt(".FR3");

QString BaseName(const QString &name)
{
    if (name.endsWith(ParamExt, Qt::CaseInsensitive) || name.endsWith(TemplateExt, Qt::CaseInsensitive))
        return name.left(name.size() - 4);
    return name;
}

} // namespace

QString ParamFileName(const QString &reportName)
{
    return BaseName(reportName) + ParamExt;
}

QString TemplateFileName(const QString &streamName)
{
    return BaseName(streamName) + TemplateExt;
}

QByteArray WriteParamInfo(const tParamInfo &p)
{
    ValueWriter w;
    w.WriteListBegin();
    w.WriteInteger(ParamStreamVersion);
    for (int32_t key : p.CoinSort)
        w.WriteInteger(key);
    w.WriteInteger(p.PricePurgeMask);
    w.WriteInteger(p.PriceMergeMask);
    w.WriteInteger(p.SeriesPurgeMask);
    w.WriteInteger(p.CoinSourceFilter);
    w.WriteInteger(p.CoinErrorFilter);
    w.WriteInteger(p.CoinPaperFilter);
    w.WriteInteger(p.QuantityFilter);
    w.WriteString(p.StoredIn);
    w.WriteInteger(p.ForexSort);
    w.WriteString(p.description);
    w.WriteBoolean(p.ThemeMultiplex);
    w.WriteListEnd();
    return w.TakeData();
}

void ReadParamInfo(const QByteArray &bytes, tParamInfo &p)
{
    ValueReader r(bytes);
    r.ReadListBegin();
    const int32_t v = r.ReadInteger();
    p.StreamVersion = v;
    if (v >= 1)
        for (int32_t &key : p.CoinSort)
            key = r.ReadInteger();
    if (v >= 4)
        p.PricePurgeMask = r.ReadInteger();
    if (v >= 1) {
        p.PriceMergeMask = r.ReadInteger();
        p.SeriesPurgeMask = r.ReadInteger();
        p.CoinSourceFilter = r.ReadInteger();
        p.CoinErrorFilter = r.ReadInteger();
        p.CoinPaperFilter = r.ReadInteger();
    }
    if (v >= 2)
        p.QuantityFilter = static_cast<uint8_t>(r.ReadInteger() & 0xFF);
    if (v >= 5)
        p.StoredIn = r.ReadString();
    if (v >= 6)
        p.ForexSort = r.ReadInteger();
    if (v >= 1)
        p.description = r.ReadString();
    if (v >= 3)
        p.ThemeMultiplex = r.ReadBoolean();
}

void LoadParamInfo(const QString &folder, const QString &name, tParamInfo &p)
{
    CurrProcGuard guard(25000);
    p = tParamInfo();
    p.StreamName = ParamFileName(name);
    const QString found = platform::findEntryIgnoreCase(folder, p.StreamName);
    if (found.isEmpty())
        return;
    QFile f(QDir(folder).filePath(found));
    if (!f.open(QIODevice::ReadOnly))
        throw StreamReadError(StreamReadErrorText);
    ReadParamInfo(f.readAll(), p);
}

void SaveParamInfo(const QString &folder, const QString &name, const tParamInfo &p)
{
    CurrProcGuard guard(24900);
    const QString fileName = ParamFileName(name);
    const QString existing = platform::findEntryIgnoreCase(folder, fileName);
    const QString path = QDir(folder).filePath(existing.isEmpty() ? fileName : existing);
    WriteFileWhole(path, WriteParamInfo(p));
}
