#include "core/files/structurewriter.h"

#include <stdexcept>

#include <QSaveFile>

#include "core/files/valuestream.h"

QByteArray BuildStructureFile(const tStructureHeader &header, const std::vector<tStructureRecord> &records)
{
    ValueWriter w;
    w.WriteRawInt64(0);  // size, filled in below
    w.WriteRawInt64(static_cast<int64_t>(records.size()));
    w.WriteRawDouble(header.Date);
    w.WriteRawInt32(header.Reserved);
    const tCountryInfo &c = header.Country;
    w.WriteRawWideString(c.Name);
    w.WriteRawWideString(c.Description);
    w.WriteRawInt32(c.CountryID);
    w.WriteRawInt32(c.Continent);
    w.WriteRawByte(c.IsPaper ? 1 : 0);
    w.WriteRawInt32(c.FlagIndex);
    w.WriteRawWideString(c.AddOns);
    w.WriteRawInt32(c.Tab);
    for (const tStructureRecord &r : records) {
        w.WriteRawWideString(r.NodeName);
        w.WriteRawInt32(r.CoinType);
        w.WriteRawInt32(r.Parent);
        w.WriteRawWideString(r.FaceValueCode);
        w.WriteRawSingle(r.FaceValueAmount);
        w.WriteRawWideString(r.Obverse);
        w.WriteRawWideString(r.Reverse);
        w.WriteRawByte(r.NodeMode);
        w.WriteRawByte(r.CoinShape);
        w.WriteRawByte(r.CoinSubShape);
        w.WriteRawSingle(r.Measure1);
        w.WriteRawSingle(r.Measure2);
        w.WriteRawByte(r.FontCode);
        w.WriteRawInt32(r.Themes);
    }
    QByteArray data = w.TakeData();
    const auto size = static_cast<uint64_t>(data.size());
    for (int i = 0; i < 8; ++i)
        data[i] = static_cast<char>((size >> (8 * i)) & 0xFF);
    return data;
}

void WriteStructureFile(const QString &path, const tStructureHeader &header,
                        const std::vector<tStructureRecord> &records)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(("Cannot create " + path + ": " + file.errorString()).toStdString());
    file.write(BuildStructureFile(header, records));
    if (!file.commit())
        throw std::runtime_error(("Cannot write " + path + ": " + file.errorString()).toStdString());
}
