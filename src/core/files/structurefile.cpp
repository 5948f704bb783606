#include "core/files/structurefile.h"

#include "core/files/valuestream.h"

tStructureHeader ReadStructureHeader(ValueReader &r)
{
    tStructureHeader h;
    h.FileSize = r.ReadRawInt64();
    h.RecordCount = r.ReadRawInt64();
    h.Date = r.ReadRawDouble();
    h.Reserved = r.ReadRawInt32();
    tCountryInfo &c = h.Country;
    c.Name = r.ReadRawWideString();
    c.Description = r.ReadRawWideString();
    c.CountryID = r.ReadRawInt32();
    c.Continent = r.ReadRawInt32();
    c.IsPaper = r.ReadRawByte() != 0;
    c.FlagIndex = r.ReadRawInt32();
    c.AddOns = r.ReadRawWideString();
    c.Tab = r.ReadRawInt32();
    return h;
}

tStructureRecord ReadStructureRecord(ValueReader &r)
{
    tStructureRecord rec;
    rec.NodeName = r.ReadRawWideString();
    rec.CoinType = r.ReadRawInt32();
    rec.Parent = r.ReadRawInt32();
    rec.FaceValueCode = r.ReadRawWideString();
    rec.FaceValueAmount = r.ReadRawSingle();
    rec.Obverse = r.ReadRawWideString();
    rec.Reverse = r.ReadRawWideString();
    rec.NodeMode = r.ReadRawByte();
    rec.CoinShape = r.ReadRawByte();
    rec.CoinSubShape = r.ReadRawByte();
    rec.Measure1 = r.ReadRawSingle();
    rec.Measure2 = r.ReadRawSingle();
    rec.FontCode = r.ReadRawByte();
    rec.Themes = r.ReadRawInt32();
    return rec;
}

int StructureRecordCount(const tStructureHeader &h)
{
    const auto low = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(h.RecordCount) & 0xFFFFFFFFu));
    return low < 0 ? 0 : low;
}

std::vector<tStructureRecord> ReadStructureRecords(ValueReader &r, const tStructureHeader &h)
{
    const int count = StructureRecordCount(h);
    // A damaged count must not reserve memory the file cannot back.
    if (count > r.Remaining() / MinStructureRecordBytes)
        throw StreamReadError(StreamReadErrorText);
    std::vector<tStructureRecord> records;
    records.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        records.push_back(ReadStructureRecord(r));
    return records;
}
