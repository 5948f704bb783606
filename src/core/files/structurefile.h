#pragma once
// The default-structure file (".OVCD"): one country's catalogue series. The
// update server makes these files; the program only reads them. The layout is
// plain little-endian fields without tags: a header naming the country, then
// one record per series. Strings are a 32-bit count of UTF-16 code units
// followed by the units.
#include <cstdint>
#include <vector>

#include <QString>

#include "core/model/mainstate.h"

class ValueReader;

// A file of this size or less holds no catalogue and is passed over unread.
constexpr qint64 MaxIgnoredStructureFileSize = 100;

struct tStructureHeader {
    int64_t FileSize = 0;      // must equal the file's real length
    int64_t RecordCount = 0;   // only the low 32 bits count, as a signed number
    double Date = 0;           // day number with the time as fraction; only logged
    int32_t Reserved = 0;      // not interpreted
    // Name, Description, CountryID, Continent, IsPaper, FlagIndex, AddOns, Tab.
    tCountryInfo Country;
};

struct tStructureRecord {
    QString NodeName;
    int32_t CoinType = 0;
    int32_t Parent = RootCoinType;  // series number of the parent; 1 the root
    QString FaceValueCode;
    float FaceValueAmount = 0;
    QString Obverse;
    QString Reverse;
    uint8_t NodeMode = NodeModeRegular;
    uint8_t CoinShape = 0;
    uint8_t CoinSubShape = 0;
    float Measure1 = 0;
    float Measure2 = 0;
    uint8_t FontCode = 0;
    int32_t Themes = 0;
};

// Smallest possible record: four empty strings and the fixed fields.
constexpr qsizetype MinStructureRecordBytes = 4 * 4 + 4 + 4 + 4 + 3 + 4 + 4 + 1 + 4;

// Reads the header from the start of the data. Raises StreamReadError when
// the data ends inside it.
tStructureHeader ReadStructureHeader(ValueReader &r);
tStructureRecord ReadStructureRecord(ValueReader &r);

// The number of records the header announces, as the loader counts them:
// the low 32 bits as a signed number, none when that is negative.
int StructureRecordCount(const tStructureHeader &h);

// Reads every record after the header. Raises StreamReadError when the count
// cannot fit in the bytes that remain or a record runs past the end.
std::vector<tStructureRecord> ReadStructureRecords(ValueReader &r, const tStructureHeader &h);

// Sub-shape and second measure count only for some shapes (bit n: shape n):
// the sides or scallops of 3, 4, 8 and 10; the height of 2, 5, 7 and 9.
constexpr int SubShapeShapes = 0x518;
constexpr int SecondMeasureShapes = 0x2A4;
inline bool ShapeHasSubShape(int shape) { return shape >= 0 && shape < 31 && ((SubShapeShapes >> shape) & 1); }
inline bool ShapeHasSecondMeasure(int shape)
{
    return shape >= 0 && shape < 31 && ((SecondMeasureShapes >> shape) & 1);
}
