#include "core/files/valuestream.h"

#include <algorithm>
#include <cstring>

#include <QIODevice>

#include "platform/asciirun.h"
#include "platform/cp1252.h"

const char *const InvalidPropertyValue = "Invalid property value";
const char *const StreamReadErrorText = "Stream read error";

namespace {

// Sent to the device at a time when streaming.
constexpr qsizetype BlockBytes = 64 * 1024;

// Decodes n bytes into o (room for n units); returns the units made, or -1
// for bytes the writer never makes.
qsizetype DecodeUtf8(const unsigned char *b, qsizetype n, char16_t *o)
{
    const char *p = reinterpret_cast<const char *>(b);
    qsizetype i = 0, k = 0;
    auto continuation = [&](qsizetype at) { return at < n && (b[at] & 0xC0) == 0x80; };
    while (i < n) {
        const qsizetype run = platform::WidenAscii(p + i, n - i, o + k);
        i += run;
        k += run;
        if (i == n)
            break;
        const char32_t c0 = b[i];
        if (c0 >= 0xC2 && c0 <= 0xDF) {
            if (!continuation(i + 1))
                return -1;
            o[k++] = static_cast<char16_t>(((c0 & 0x1F) << 6) | (b[i + 1] & 0x3F));
            i += 2;
        } else if (c0 >= 0xE0 && c0 <= 0xEF) {
            if (!continuation(i + 1) || !continuation(i + 2))
                return -1;
            const char32_t cp = ((c0 & 0x0F) << 12) | ((b[i + 1] & 0x3Fu) << 6) | (b[i + 2] & 0x3Fu);
            if (cp < 0x800 || QChar::isSurrogate(cp))
                return -1;
            o[k++] = static_cast<char16_t>(cp);
            i += 3;
        } else if (c0 >= 0xF0 && c0 <= 0xF4) {
            if (!continuation(i + 1) || !continuation(i + 2) || !continuation(i + 3))
                return -1;
            const char32_t cp = ((c0 & 0x07) << 18) | ((b[i + 1] & 0x3Fu) << 12) | ((b[i + 2] & 0x3Fu) << 6) |
                                (b[i + 3] & 0x3Fu);
            if (cp < 0x10000 || cp > 0x10FFFF)
                return -1;
            o[k++] = QChar::highSurrogate(cp);
            o[k++] = QChar::lowSurrogate(cp);
            i += 4;
        } else {
            return -1;
        }
    }
    return k;
}

// UTF-8 to UTF-16 for well-formed text, which is all the writer makes.
// Anything else (a malformed, overlong or cut-off sequence, an encoded
// surrogate, a leading byte-order mark) goes to Qt's decoder whole, so its
// replacement rules apply unchanged.
QString FromUtf8(const char *p, qsizetype n)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)
        return QString::fromUtf8(p, n);
    // Text in other scripts takes two or three bytes a unit, so the units
    // are not known before decoding: a text of ordinary length is decoded
    // on the stack and stored at its size in one allocation, which a large
    // collection keeps for as long as it is open.
    constexpr qsizetype StackUnits = 512;
    if (n <= StackUnits) {
        char16_t units[StackUnits];
        const qsizetype k = DecodeUtf8(b, n, units);
        if (k < 0)
            return QString::fromUtf8(p, n);
        return QString(reinterpret_cast<const QChar *>(units), k);
    }
    QString s(n, Qt::Uninitialized);   // never more units than bytes
    const qsizetype k = DecodeUtf8(b, n, reinterpret_cast<char16_t *>(s.data()));
    if (k < 0)
        return QString::fromUtf8(p, n);
    s.truncate(k);
    if (n - k > 16)
        s.squeeze();
    return s;
}

} // namespace

void ValueWriter::makeRoom(qsizetype n)
{
    if (sink_ && len_ > 0) {
        sendBlock();
        if (buf_.size() >= n)
            return;
    }
    const qsizetype least = sink_ ? BlockBytes : 256;
    buf_.resize(std::max({len_ + n, 2 * buf_.size(), least}));
    at_ = buf_.data();
}

void ValueWriter::sendBlock()
{
    if (!failed_ && sink_->write(at_, len_) != len_)
        failed_ = true;
    len_ = 0;
}

void ValueWriter::Reserve(qsizetype n)
{
    if (n > buf_.size()) {
        buf_.resize(n);
        at_ = buf_.data();
    }
}

const QByteArray &ValueWriter::Data() const
{
    if (buf_.size() != len_)
        buf_.resize(len_);
    return buf_;
}

QByteArray ValueWriter::TakeData()
{
    Data();
    QByteArray out = std::move(buf_);
    buf_ = QByteArray();
    at_ = nullptr;
    len_ = 0;
    return out;
}

bool ValueWriter::Finish()
{
    if (sink_ && len_ > 0)
        sendBlock();
    return !failed_;
}

void ValueWriter::writeWideInteger(int32_t v)
{
    if (v >= -32768 && v <= 32767) {
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
    const auto *u = reinterpret_cast<const char16_t *>(s.constData());
    const qsizetype c = s.size();
    // 7-bit text, the most common, is checked and narrowed in one pass
    // straight into the block, behind the head its length decides. The room
    // taken fits any form: UTF-8 needs at most three bytes a unit.
    const bool shortForm = c <= 255;
    const qsizetype head = shortForm ? 2 : 5;
    char *at = room(5 + 3 * c);
    const qsizetype ascii = platform::NarrowAsciiPrefix(u, c, at + head);
    if (ascii == c && c > 0) {
        at[0] = static_cast<char>(shortForm ? vaString : vaLString);
        if (shortForm)
            at[1] = static_cast<char>(c);
        else
            storeLE32(at + 1, static_cast<uint32_t>(c));
        commit(head + c);
        return;
    }
    // Other text is encoded as UTF-8 in the same pass, behind the longer
    // head; UTF-16 is taken instead once the UTF-8 form can no longer be the
    // shorter (every unit still to come takes at least one byte), or at a
    // surrogate without its partner, which has no UTF-8 form.
    if (shortForm && ascii > 0)
        std::memmove(at + 5, at + 2, static_cast<size_t>(ascii));
    auto *const first = reinterpret_cast<unsigned char *>(at + 5);
    auto *p = first + ascii;
    const qsizetype limit = 2 * c;  // UTF-8 must stay below this many bytes
    bool wide = false;
    for (qsizetype i = ascii; i < c; ++i) {
        const char32_t ch = u[i];
        if (ch < 0x80) {
            const qsizetype run = platform::NarrowAsciiPrefix(u + i, c - i, reinterpret_cast<char *>(p));
            p += run;
            i += run - 1;
            continue;
        }
        if ((p - first) + (c - i) >= limit) {
            wide = true;
            break;
        }
        if (ch < 0x800) {
            p[0] = static_cast<unsigned char>(0xC0 | (ch >> 6));
            p[1] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
            p += 2;
        } else if (!QChar::isSurrogate(ch)) {
            p[0] = static_cast<unsigned char>(0xE0 | (ch >> 12));
            p[1] = static_cast<unsigned char>(0x80 | ((ch >> 6) & 0x3F));
            p[2] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
            p += 3;
        } else if (QChar::isHighSurrogate(ch) && i + 1 < c && QChar::isLowSurrogate(u[i + 1])) {
            const char32_t cp = QChar::surrogateToUcs4(u[i], u[i + 1]);
            ++i;
            p[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
            p[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
            p[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
            p[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            p += 4;
        } else {
            wide = true;
            break;
        }
    }
    const qsizetype b = p - first;
    if (wide || b >= limit) {
        at[0] = static_cast<char>(vaWString);
        storeLE32(at + 1, static_cast<uint32_t>(c));
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        std::memcpy(at + 5, u, static_cast<size_t>(2 * c));
#else
        for (qsizetype i = 0; i < c; ++i) {
            at[5 + 2 * i] = static_cast<char>(u[i] & 0xFF);
            at[6 + 2 * i] = static_cast<char>(u[i] >> 8);
        }
#endif
        commit(5 + 2 * c);
        return;
    }
    at[0] = static_cast<char>(vaUTF8String);
    storeLE32(at + 1, static_cast<uint32_t>(b));
    commit(5 + b);
}

void ValueReader::tTextBlock::open()
{
    Close();
    auto [d, data] = QTypedArrayData<char16_t>::allocate(Units);
    Q_CHECK_PTR(d);
    d_ = d;
    next_ = data;
    end_ = data + Units;
    // Every text takes two units at least (one and its zero), so the block
    // can hold no more than Units / 2 of them. Their references are taken
    // here at once, with the block's own; Close gives back those not used.
    spareRefs_ = static_cast<int>(Units / 2);
    d_->ref_.storeRelaxed(1 + spareRefs_);
}

QString ValueReader::tTextBlock::Take(qsizetype k)
{
    Q_ASSERT(k > 0 && next_ + k < end_ && spareRefs_ > 0);
    char16_t *at = next_;
    at[k] = 0;
    next_ += k + 1;
    --spareRefs_;
    return QString(QStringPrivate(d_, at, k));
}

void ValueReader::tTextBlock::Close()
{
    if (!d_)
        return;
    d_->ref_.fetchAndAddOrdered(-spareRefs_);
    // Holding the block's own reference; freeing the block when no text
    // was made in it.
    const QStringPrivate own(d_, nullptr, 0);
    d_ = nullptr;
    next_ = end_ = nullptr;
    spareRefs_ = 0;
}

void ValueReader::invalid()
{
    throw StreamReadError(InvalidPropertyValue);
}

ValueReader::ValueReader(const QByteArray &data)
    : begin_(data.constData()), cur_(begin_), end_(begin_ + data.size()), total_(data.size())
{
}

ValueReader::ValueReader(QIODevice &source)
    : total_(std::max<qint64>(0, source.size() - source.pos())), source_(&source)
{
}

ValueReader::~ValueReader() = default;

void ValueReader::pastEnd()
{
    throw StreamReadError(StreamReadErrorText);
}

const char *ValueReader::takeSlow(qsizetype n)
{
    // Every length comes from the file: check it against what is left
    // before trusting it, so a damaged file never causes a huge allocation.
    if (n < 0 || n > Remaining() || !source_)
        pastEnd();
    // Keep the bytes not yet taken, then fill the block behind them.
    const qsizetype kept = end_ - cur_;
    const qsizetype size = std::max(n, BlockBytes);
    if (block_.size() < size) {
        QByteArray bigger(size, Qt::Uninitialized);
        // Before the first block cur_ is null; memcpy is not to be handed
        // a null pointer even for no bytes.
        if (kept > 0)
            std::memcpy(bigger.data(), cur_, static_cast<size_t>(kept));
        block_ = std::move(bigger);
    } else if (kept > 0) {
        std::memmove(block_.data(), cur_, static_cast<size_t>(kept));
    }
    base_ = Position();
    char *start = block_.data();
    qsizetype filled = kept;
    const qsizetype wanted = std::min<qsizetype>(block_.size(), total_ - base_);
    while (filled < n) {
        const qint64 got = source_->read(start + filled, wanted - filled);
        if (got <= 0)
            break;
        filled += got;
    }
    begin_ = cur_ = start;
    end_ = start + filled;
    if (filled < n) {
        // The device delivered less than it said it holds.
        total_ = base_ + filled;
        pastEnd();
    }
    cur_ += n;
    return start;
}

uint8_t ValueReader::NextTag()
{
    const uint8_t tag = takeTag();
    --cur_;
    return tag;
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
    ++cur_;
}

void ValueReader::ReadListEnd()
{
    if (NextTag() != vaNull) {
        SkipValue();
        invalid();
    }
    ++cur_;
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

int32_t ValueReader::readWideInteger()
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

QString ValueReader::readStringPayload(uint8_t tag, bool share)
{
    qsizetype n = 0;
    switch (tag) {
    case vaString:
        n = static_cast<unsigned char>(*take(1));
        break;
    case vaLString:
    case vaUTF8String:
        n = takeU32();
        break;
    case vaWString:
        // The count is unsigned on the wire; a damaged negative one becomes
        // huge and is refused here like any other count past the end.
        n = takeU32();
        if (n > Remaining() / 2)
            pastEnd();
        n *= 2;
        break;
    default:
        invalid();
    }
    const char *p = take(n);
    if (!share || n == 0 || n > SeenMaxBytes)
        return decode(tag, p, n);
    // Short texts (mints, grading services, places, picture names) repeat
    // from entry to entry: each distinct one is made once and shared. A text
    // is kept for sharing when its bytes come a second time, so that the
    // many that come once (picture paths) cost no more than a look.
    uint64_t h = (0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(n)) * (tag + 1);
    auto mix = [&h](uint64_t word) {
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
    };
    qsizetype i = 0;
    uint64_t word = 0;
    for (; i + 8 <= n; i += 8) {
        std::memcpy(&word, p + i, 8);
        mix(word);
    }
    if (i < n) {
        // The last bytes: the final eight (overlapping) or, for a text
        // shorter than that, each byte.
        word = 0;
        if (n >= 8)
            std::memcpy(&word, p + n - 8, 8);
        else
            for (qsizetype k = 0; k < n; ++k)
                word |= static_cast<uint64_t>(static_cast<unsigned char>(p[k])) << (8 * k);
        mix(word);
    }
    if (!seen_)
        seen_ = std::make_unique<std::array<tSeenText, SeenSlots>>();
    tSeenText &slot = (*seen_)[(h >> 32) % SeenSlots];
    if (slot.Tag == tag && slot.Size == n && std::memcmp(slot.Bytes, p, static_cast<size_t>(n)) == 0) {
        if (slot.Text.isNull())
            slot.Text = decode(tag, p, n);
        return slot.Text;
    }
    std::memcpy(slot.Bytes, p, static_cast<size_t>(n));
    slot.Size = n;
    slot.Tag = tag;
    slot.Text = QString();
    return decode(tag, p, n);
}

QString ValueReader::decode(uint8_t tag, const char *p, qsizetype n)
{
    switch (tag) {
    case vaUTF8String: {
        // Never more units than bytes.
        const auto *b = reinterpret_cast<const unsigned char *>(p);
        const bool bom = n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF;
        char16_t *o = n > 0 && !bom ? texts_.Room(n) : nullptr;
        if (!o)
            return FromUtf8(p, n);
        const qsizetype k = DecodeUtf8(b, n, o);
        return k > 0 ? texts_.Take(k) : QString::fromUtf8(p, n);
    }
    case vaWString: {
        const qsizetype units = n / 2;
        char16_t *o = units > 0 ? texts_.Room(units) : nullptr;
        const bool inBlock = o != nullptr;
        QString s;
        if (!inBlock) {
            s = QString(units, Qt::Uninitialized);
            o = reinterpret_cast<char16_t *>(s.data());
        }
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        std::memcpy(o, p, static_cast<size_t>(units * 2));
#else
        const auto *b = reinterpret_cast<const unsigned char *>(p);
        for (qsizetype i = 0; i < units; ++i)
            o[i] = static_cast<char16_t>(b[2 * i] | (b[2 * i + 1] << 8));
#endif
        return inBlock ? texts_.Take(units) : s;
    }
    default:
        if (char16_t *o = n > 0 ? texts_.Room(n) : nullptr) {
            platform::widenCp1252(p, n, o);
            return texts_.Take(n);
        }
        return platform::fromCp1252(p, n);
    }
}

QString ValueReader::readWidePayload()
{
    return readStringPayload(vaWString, true);
}

QString ValueReader::ReadString()
{
    return readStringPayload(takeTag(), true);
}

QString ValueReader::ReadUniqueString()
{
    return readStringPayload(takeTag(), false);
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
        readStringPayload(tag, false);
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
