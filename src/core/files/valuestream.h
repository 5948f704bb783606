#pragma once
// The tagged value stream: the one binary encoding of the program's files.
// Every value is a type tag byte followed by a payload the tag fixes; there
// is no header and no field names, so a reader asks for each value in the
// order its format defines.
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include <QByteArray>
#include <QString>

#include "core/model/money.h"

class QIODevice;

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
    // Collects the values in memory (Data, TakeData).
    ValueWriter() = default;
    // Sends the values to sink in blocks as they are written, so a large
    // file is never held whole; Finish sends the last block. A device that
    // refuses bytes makes Failed true and the rest is dropped.
    explicit ValueWriter(QIODevice &sink) : sink_(&sink) {}

    void WriteListBegin() { put(vaList); }
    void WriteListEnd() { put(vaNull); }
    void WriteInteger(int32_t v)
    {
        if (v >= -128 && v <= 127) {
            char *p = grow(2);
            p[0] = static_cast<char>(vaInt8);
            p[1] = static_cast<char>(v);
            return;
        }
        writeWideInteger(v);
    }
    void WriteInt64(int64_t v);
    void WriteSingle(float v);
    void WriteCurrency(Money v);
    void WriteBoolean(bool v) { put(v ? vaTrue : vaFalse); }
    // The narrowest form that keeps every code unit: 7-bit text as 8-bit
    // bytes, mostly-Latin text as UTF-8, other text as UTF-16. Text holding
    // a surrogate without its partner has no UTF-8 form and goes as UTF-16,
    // so that it reads back unchanged.
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
    void Reserve(qsizetype n);
    // Everything written (in memory).
    const QByteArray &Data() const;
    QByteArray TakeData();
    // Streaming: sends what is still buffered; false when the device
    // refused any byte.
    bool Finish();
    bool Failed() const { return failed_; }

private:
    // Room for n more bytes at the end; returns where they go. The buffer
    // is sized ahead and trimmed to len_ when it is handed out.
    char *grow(qsizetype n)
    {
        if (buf_.size() - len_ < n)
            makeRoom(n);
        char *p = at_ + len_;
        len_ += n;
        return p;
    }
    void makeRoom(qsizetype n);
    // Room for n more bytes at the end without taking them: the caller
    // writes there and then takes what it used with commit.
    char *room(qsizetype n)
    {
        if (buf_.size() - len_ < n)
            makeRoom(n);
        return at_ + len_;
    }
    void commit(qsizetype n) { len_ += n; }
    void writeWideInteger(int32_t v);
    void put(uint8_t b) { *grow(1) = static_cast<char>(b); }
    void putLE(uint64_t v, int bytes)
    {
        char *p = grow(bytes);
        for (int i = 0; i < bytes; ++i)
            p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    static void storeLE32(char *p, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void sendBlock();
    // Data() trims buf_ to len_, so the next write always passes through
    // makeRoom, which takes at_ afresh.
    mutable QByteArray buf_;
    char *at_ = nullptr;      // buf_'s bytes
    qsizetype len_ = 0;       // bytes written into buf_
    QIODevice *sink_ = nullptr;
    bool failed_ = false;
};

class ValueReader {
public:
    // The reader keeps a reference to the bytes; they must outlive it
    // unchanged.
    explicit ValueReader(const QByteArray &data);
    // Reads source from its current position to its end in blocks, so a
    // large file is never held whole. Bytes the device does not deliver
    // read as the end of the data.
    explicit ValueReader(QIODevice &source);
    ~ValueReader();

    void ReadListBegin();
    void ReadListEnd();
    // True when the next value is a list end (the tag is not consumed).
    bool EndOfList();
    int32_t ReadInteger()
    {
        // Most stored integers are small: those are read in place.
        if (end_ - cur_ >= 2 && static_cast<uint8_t>(*cur_) == vaInt8) {
            const auto v = static_cast<int8_t>(cur_[1]);
            cur_ += 2;
            return v;
        }
        return readWideInteger();
    }
    int64_t ReadInt64();
    float ReadSingle();
    Money ReadCurrency();
    bool ReadBoolean()
    {
        const uint8_t tag = takeTag();
        if (tag != vaTrue && tag != vaFalse)
            invalid();
        return tag == vaTrue;
    }
    QString ReadString();
    // A text that seldom repeats (a picture path): read without looking
    // for an earlier copy to share.
    QString ReadUniqueString();
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
    bool AtEnd() const { return Position() >= total_; }
    qsizetype Position() const { return base_ + (cur_ - begin_); }
    qsizetype Remaining() const { return total_ - Position(); }

private:
    // A short text seen before: its bytes and the string made from them,
    // shared by every later value with the same bytes.
    static constexpr qsizetype SeenMaxBytes = 48;
    static constexpr int SeenSlots = 512;
    struct tSeenText {
        char Bytes[SeenMaxBytes];
        qsizetype Size = -1;
        uint8_t Tag = 0;
        QString Text;
    };

    // The texts read are laid out one after another in shared blocks
    // rather than each in an allocation of its own. Every text is an
    // ordinary QString holding a reference to its block, so copies,
    // changes and lifetimes follow Qt's sharing rules unchanged: a text is
    // copied out before it is changed while anything else holds the block,
    // and the block goes back to the heap with its last text. A collection
    // of a million texts so costs a few hundred allocations, made and freed.
    class tTextBlock {
    public:
        tTextBlock() = default;
        tTextBlock(const tTextBlock &) = delete;
        tTextBlock &operator=(const tTextBlock &) = delete;
        ~tTextBlock() { Close(); }
        // Room for n units and a terminating zero; nullptr for a text too
        // long to share a block (it gets an allocation of its own).
        char16_t *Room(qsizetype n)
        {
            if (n > MaxUnits)
                return nullptr;
            if (end_ - next_ <= n)
                open();
            return next_;
        }
        // The text of the k units (at least one) written at Room's pointer.
        QString Take(qsizetype k);
        // Gives up the block's own reference and those kept for texts it
        // will not hold; the block lives on with the texts made in it.
        void Close();

    private:
        static constexpr qsizetype Units = 16 * 1024;
        static constexpr qsizetype MaxUnits = 1024;
        void open();
        QTypedArrayData<char16_t> *d_ = nullptr;
        char16_t *next_ = nullptr;
        char16_t *end_ = nullptr;
        int spareRefs_ = 0;
    };

    uint8_t takeTag() { return static_cast<uint8_t>(*take(1)); }
    // n bytes from the stream; the pointer holds until the next take.
    const char *take(qsizetype n)
    {
        if (n < 0 || end_ - cur_ < n)
            return takeSlow(n);
        const char *p = cur_;
        cur_ += n;
        return p;
    }
    const char *takeSlow(qsizetype n);
    uint32_t takeU32();
    int32_t readWideInteger();
    int64_t readIntPayload(uint8_t tag);
    QString readStringPayload(uint8_t tag, bool share);
    QString readWidePayload();
    QString decode(uint8_t tag, const char *p, qsizetype n);
    [[noreturn]] void invalid();
    [[noreturn]] static void pastEnd();

    // The bytes at hand are begin_..end_, the next one at cur_; begin_ is
    // at offset base_ of the stream, which holds total_ bytes.
    const char *begin_ = nullptr;
    const char *cur_ = nullptr;
    const char *end_ = nullptr;
    qsizetype base_ = 0;
    qsizetype total_ = 0;
    QIODevice *source_ = nullptr;
    QByteArray block_;
    std::unique_ptr<std::array<tSeenText, SeenSlots>> seen_;
    tTextBlock texts_;
};
