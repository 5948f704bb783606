#include "core/valuestream.h"

#include <cstring>

#include "platform/cp1252.h"

const char *const InvalidPropertyValue = "Invalid property value";
const char *const StreamReadErrorText = "Stream read error";

void ValueWriter::putLE(uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        buf_.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void ValueWriter::WriteInteger(int32_t v)
{
    if (v >= -128 && v <= 127) {
        put(vaInt8);
        putLE(static_cast<uint8_t>(static_cast<int8_t>(v)), 1);
    } else if (v >= -32768 && v <= 32767) {
        put(vaInt16);
        putLE(static_cast<uint16_t>(static_cast<int16_t>(v)), 2);
    } else {
        put(vaInt32);
        putLE(static_cast<uint32_t>(v), 4);
    }
}

void ValueWriter::WriteInt64(int64_t v)
{
    if (v >= INT32_MIN && v <= INT32_MAX) {
        WriteInteger(static_cast<int32_t>(v));
        return;
    }
    put(vaInt64);
    putLE(static_cast<uint64_t>(v), 8);
}

void ValueWriter::WriteSingle(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    put(vaSingle);
    putLE(bits, 4);
}

void ValueWriter::WriteCurrency(Money v)
{
    put(vaCurrency);
    putLE(static_cast<uint64_t>(v), 8);
}

void ValueWriter::WriteString(const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    const qsizetype b = utf8.size();
    const qsizetype c = s.size();
    if (b >= 2 * c) {
        put(vaWString);
        WriteRawWideString(s);
        return;
    }
    bool high = false;
    for (char ch : utf8)
        if (static_cast<unsigned char>(ch) > 127) {
            high = true;
            break;
        }
    if (high) {
        put(vaUTF8String);
        putLE(static_cast<uint32_t>(b), 4);
    } else if (b <= 255) {
        put(vaString);
        putLE(static_cast<uint32_t>(b), 1);
    } else {
        put(vaLString);
        putLE(static_cast<uint32_t>(b), 4);
    }
    buf_.append(utf8);
}

void ValueReader::invalid()
{
    throw StreamReadError(InvalidPropertyValue);
}

const char *ValueReader::take(qsizetype n)
{
    // Every length comes from the file: check it against what is left before
    // trusting it, so a damaged file never causes a huge allocation.
    if (n < 0 || n > Remaining())
        throw StreamReadError(StreamReadErrorText);
    const char *p = data_.constData() + pos_;
    pos_ += n;
    return p;
}

uint8_t ValueReader::takeTag()
{
    return static_cast<uint8_t>(*take(1));
}

uint8_t ValueReader::NextTag()
{
    if (AtEnd())
        throw StreamReadError(StreamReadErrorText);
    return static_cast<uint8_t>(data_[pos_]);
}

uint32_t ValueReader::takeU32()
{
    const auto *p = reinterpret_cast<const unsigned char *>(take(4));
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void ValueReader::ReadListBegin()
{
    if (NextTag() != vaList) {
        SkipValue();
        invalid();
    }
    ++pos_;
}

void ValueReader::ReadListEnd()
{
    if (NextTag() != vaNull) {
        SkipValue();
        invalid();
    }
    ++pos_;
}

bool ValueReader::EndOfList()
{
    return NextTag() == vaNull;
}

int64_t ValueReader::readIntPayload(uint8_t tag)
{
    switch (tag) {
    case vaInt8:
        return static_cast<int8_t>(*take(1));
    case vaInt16: {
        const auto *p = reinterpret_cast<const unsigned char *>(take(2));
        return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    }
    case vaInt32:
        return static_cast<int32_t>(takeU32());
    case vaInt64: {
        const uint64_t lo = takeU32();
        const uint64_t hi = takeU32();
        return static_cast<int64_t>(lo | (hi << 32));
    }
    default:
        invalid();
    }
}

int32_t ValueReader::ReadInteger()
{
    const uint8_t tag = takeTag();
    if (tag != vaInt8 && tag != vaInt16 && tag != vaInt32)
        invalid();
    return static_cast<int32_t>(readIntPayload(tag));
}

int64_t ValueReader::ReadInt64()
{
    return readIntPayload(takeTag());
}

float ValueReader::ReadSingle()
{
    const uint8_t tag = takeTag();
    if (tag == vaSingle) {
        const uint32_t bits = takeU32();
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    return static_cast<float>(readIntPayload(tag));
}

Money ValueReader::ReadCurrency()
{
    const uint8_t tag = takeTag();
    if (tag == vaCurrency) {
        const uint64_t lo = takeU32();
        const uint64_t hi = takeU32();
        return static_cast<Money>(lo | (hi << 32));
    }
    // Whole units; saturating keeps a damaged value from overflowing.
    const int64_t units = readIntPayload(tag);
    if (units > INT64_MAX / MoneyScale)
        return INT64_MAX;
    if (units < INT64_MIN / MoneyScale)
        return INT64_MIN;
    return units * MoneyScale;
}

bool ValueReader::ReadBoolean()
{
    const uint8_t tag = takeTag();
    if (tag == vaTrue)
        return true;
    if (tag == vaFalse)
        return false;
    invalid();
}

QString ValueReader::readStringPayload(uint8_t tag)
{
    switch (tag) {
    case vaString: {
        const auto n = static_cast<unsigned char>(*take(1));
        return platform::fromCp1252(take(n), n);
    }
    case vaLString: {
        const qsizetype n = takeU32();
        return platform::fromCp1252(take(n), n);
    }
    case vaWString:
        return readWidePayload();
    case vaUTF8String: {
        const qsizetype n = takeU32();
        return QString::fromUtf8(take(n), n);
    }
    default:
        invalid();
    }
}

QString ValueReader::readWidePayload()
{
    // The count is unsigned on the wire; a damaged negative one becomes huge
    // and is refused here like any other count past the end.
    const qsizetype n = takeU32();
    if (n > Remaining() / 2)
        throw StreamReadError(StreamReadErrorText);
    const auto *p = reinterpret_cast<const unsigned char *>(take(2 * n));
    QString s(n, Qt::Uninitialized);
    QChar *o = s.data();
    for (qsizetype i = 0; i < n; ++i)
        o[i] = QChar(static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)));
    return s;
}

QString ValueReader::ReadString()
{
    return readStringPayload(takeTag());
}

QChar ValueReader::ReadChar()
{
    const QString s = ReadString();
    if (s.size() > 1)
        invalid();
    return s.isEmpty() ? QChar() : s[0];
}

void ValueReader::SkipValue()
{
    const uint8_t tag = takeTag();
    switch (tag) {
    case vaNull: case vaList: case vaFalse: case vaTrue: case vaNil:
        return;
    case vaInt8: take(1); return;
    case vaInt16: take(2); return;
    case vaInt32: case vaSingle: take(4); return;
    case vaInt64: case vaCurrency: case vaDate: case vaDouble: take(8); return;
    case vaExtended: take(10); return;
    case vaString: case vaLString: case vaWString: case vaUTF8String:
        readStringPayload(tag);
        return;
    case vaIdent: take(static_cast<unsigned char>(*take(1))); return;
    case vaBinary: take(takeU32()); return;
    default:
        // Sets and collections never occur in the program's files; there is
        // no way to step over them safely.
        throw StreamReadError(InvalidPropertyValue);
    }
}

void ValueWriter::WriteRawSingle(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    putLE(bits, 4);
}

void ValueWriter::WriteRawDouble(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    putLE(bits, 8);
}

void ValueWriter::WriteRawWideString(const QString &s)
{
    putLE(static_cast<uint32_t>(s.size()), 4);
    for (QChar ch : s)
        putLE(ch.unicode(), 2);
}

uint8_t ValueReader::ReadRawByte()
{
    return static_cast<uint8_t>(*take(1));
}

int32_t ValueReader::ReadRawInt32()
{
    return static_cast<int32_t>(takeU32());
}

int64_t ValueReader::ReadRawInt64()
{
    const uint64_t lo = takeU32();
    const uint64_t hi = takeU32();
    return static_cast<int64_t>(lo | (hi << 32));
}

float ValueReader::ReadRawSingle()
{
    const uint32_t bits = takeU32();
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

double ValueReader::ReadRawDouble()
{
    const uint64_t bits = static_cast<uint64_t>(ReadRawInt64());
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

QString ValueReader::ReadRawWideString()
{
    return readWidePayload();
}
