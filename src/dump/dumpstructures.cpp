#include "dump/dumpstructures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include "core/files/structurefile.h"
#include "core/files/valuestream.h"
#include "dump/dumpio.h"

namespace {

// A stored single as the shortest decimal that reads back as the same
// single, so that 0.01 prints as 0.01 rather than as its double expansion.
double SingleValue(float v)
{
    for (int digits = 1; digits < 9; ++digits) {
        const QString text = QString::number(static_cast<double>(v), 'g', digits);
        if (text.toFloat() == v)
            return text.toDouble();
    }
    return static_cast<double>(v);
}

} // namespace

bool IsStructureFile(const QString &path)
{
    return path.endsWith(QLatin1String(".ovcd"), Qt::CaseInsensitive);
}

int DumpStructureFile(const QString &path, QTextStream &out, QTextStream &err)
{
    QByteArray data;
    if (!ReadDumpInput(path, data, err))
        return 1;
    try {
        ValueReader r(data);
        const tStructureHeader h = ReadStructureHeader(r);
        const tCountryInfo &c = h.Country;
        QJsonObject root;
        root[QStringLiteral("FileSize")] = static_cast<qint64>(h.FileSize);
        root[QStringLiteral("RealSize")] = static_cast<qint64>(data.size());
        root[QStringLiteral("RecordCount")] = static_cast<qint64>(h.RecordCount);
        root[QStringLiteral("Date")] = h.Date;
        root[QStringLiteral("Reserved")] = h.Reserved;
        root[QStringLiteral("Name")] = c.Name;
        root[QStringLiteral("Description")] = c.Description;
        root[QStringLiteral("CountryID")] = c.CountryID;
        root[QStringLiteral("Continent")] = c.Continent;
        root[QStringLiteral("IsPaper")] = c.IsPaper;
        root[QStringLiteral("FlagIndex")] = c.FlagIndex;
        root[QStringLiteral("AddOns")] = c.AddOns;
        root[QStringLiteral("Tab")] = c.Tab;
        QJsonArray records;
        for (const tStructureRecord &rec : ReadStructureRecords(r, h)) {
            QJsonObject o;
            o[QStringLiteral("NodeName")] = rec.NodeName;
            o[QStringLiteral("CoinType")] = rec.CoinType;
            o[QStringLiteral("Parent")] = rec.Parent;
            o[QStringLiteral("FaceValueCode")] = rec.FaceValueCode;
            o[QStringLiteral("FaceValueAmount")] = SingleValue(rec.FaceValueAmount);
            o[QStringLiteral("Obverse")] = rec.Obverse;
            o[QStringLiteral("Reverse")] = rec.Reverse;
            o[QStringLiteral("NodeMode")] = rec.NodeMode;
            o[QStringLiteral("CoinShape")] = rec.CoinShape;
            o[QStringLiteral("CoinSubShape")] = rec.CoinSubShape;
            o[QStringLiteral("Measure1")] = SingleValue(rec.Measure1);
            o[QStringLiteral("Measure2")] = SingleValue(rec.Measure2);
            o[QStringLiteral("FontCode")] = rec.FontCode;
            o[QStringLiteral("Themes")] = rec.Themes;
            records.append(o);
        }
        root[QStringLiteral("Records")] = records;
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
    } catch (const StreamReadError &e) {
        err << path << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
