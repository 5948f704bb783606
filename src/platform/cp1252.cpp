#include "platform/cp1252.h"

#include <array>

#include "platform/asciirun.h"

namespace platform {
namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined, which
// decode to the C1 control of the same value.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int encodeChar(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (High[static_cast<size_t>(i)] == c)
            return 0x80 + i;
    if (c >= 0x80 && c < 0xA0 && High[c - 0x80] == 0)
        return c;
    return -1;
}

} // namespace

void widenCp1252(const char *data, qsizetype size, char16_t *o)
{
    for (qsizetype i = WidenAscii(data, size, o); i < size; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0 && High[b - 0x80] != 0)
            c = High[b - 0x80];
        o[i] = c;
    }
}

QString fromCp1252(const char *data, qsizetype size)
{
    QString out(size, Qt::Uninitialized);
    widenCp1252(data, size, reinterpret_cast<char16_t *>(out.data()));
    return out;
}

QString fromCp1252(const QByteArray &bytes)
{
    return fromCp1252(bytes.constData(), bytes.size());
}

QByteArray toCp1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text) {
        const int b = encodeChar(ch.unicode());
        out.append(static_cast<char>(b < 0 ? '?' : b));
    }
    return out;
}

bool fitsCp1252(const QString &text)
{
    for (QChar ch : text)
        if (encodeChar(ch.unicode()) < 0)
            return false;
    return true;
}

} // namespace platform
