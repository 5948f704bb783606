#pragma once
// The tagged value stream: the one binary encoding of the program's files.
// Every value is a type tag byte followed by a payload the tag fixes; there
// is no header and no field names, so a reader asks for each value in the
// order its format defines.
#include <cstdint>
#include <stdexcept>

#include <QByteArray>
#include <QString>

#include "core/money.h"

// Tag bytes. They are stored in files; keep the values.
enum tValueTag : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
    vaDouble = 21,
};

// A read failure; what() is "Invalid property value" or "Stream read error".
class StreamReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

extern const char *const InvalidPropertyValue;  // "Invalid property value"
extern const char *const StreamReadErrorText;   // "Stream read error"

class ValueWriter {
public:
    ValueWriter() { buf_.reserve(8192); }

    void WriteListBegin() { put(vaList); }
    void WriteListEnd() { put(vaNull); }
    void WriteInteger(int32_t v);
    void WriteInt64(int64_t v);
    void WriteSingle(float v);
    void WriteCurrency(Money v);
    void WriteBoolean(bool v) { put(v ? vaTrue : vaFalse); }
    void WriteString(const QString &s);

    // Untagged little-endian fields, for the formats that carry no tags (the
    // default-structure files). The program only reads such files; these
    // exist for the sample-catalogue generator and the tests.
    void WriteRawByte(uint8_t v) { put(v); }
    void WriteRawInt32(int32_t v) { putLE(static_cast<uint32_t>(v), 4); }
    void WriteRawInt64(int64_t v) { putLE(static_cast<uint64_t>(v), 8); }
    void WriteRawSingle(float v);
    void WriteRawDouble(double v);
    // A 32-bit count n of UTF-16 code units, then the 2n bytes of UTF-16LE.
    void WriteRawWideString(const QString &s);

    // Room for n bytes in all, so a large file is built without regrowing.
    void Reserve(qsizetype n) { buf_.reserve(n); }
    const QByteArray &Data() const { return buf_; }
    QByteArray TakeData() { return std::move(buf_); }

private:
    void put(uint8_t b) { buf_.append(static_cast<char>(b)); }
    void putLE(uint64_t v, int bytes);
    QByteArray buf_;
};

class ValueReader {
public:
    // The reader keeps a reference to the bytes; they must outlive it.
    explicit ValueReader(const QByteArray &data) : data_(data) {}

    void ReadListBegin();
    void ReadListEnd();
    // True when the next value is a list end (the tag is not consumed).
    bool EndOfList();
    int32_t ReadInteger();
    int64_t ReadInt64();
    float ReadSingle();
    Money ReadCurrency();
    bool ReadBoolean();
    QString ReadString();
    QChar ReadChar();

    // Untagged little-endian fields (see ValueWriter). Lengths and counts are
    // checked against the bytes that remain, as for tagged values.
    uint8_t ReadRawByte();
    int32_t ReadRawInt32();
    int64_t ReadRawInt64();
    float ReadRawSingle();
    double ReadRawDouble();
    QString ReadRawWideString();

    // The next tag without consuming it; raises "Stream read error" at the end.
    uint8_t NextTag();
    // Steps over one value of any kind the program writes.
    void SkipValue();
    bool AtEnd() const { return pos_ >= data_.size(); }
    qsizetype Position() const { return pos_; }
    qsizetype Remaining() const { return data_.size() - pos_; }

private:
    uint8_t takeTag();
    const char *take(qsizetype n);
    uint32_t takeU32();
    int64_t readIntPayload(uint8_t tag);
    QString readStringPayload(uint8_t tag);
    QString readWidePayload();
    [[noreturn]] void invalid();
    const QByteArray &data_;
    qsizetype pos_ = 0;
};
