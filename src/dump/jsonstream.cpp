#include "dump/jsonstream.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include <QLocale>

namespace {

constexpr qsizetype SendAt = 64 * 1024;

char HexDigit(unsigned v)
{
    return static_cast<char>(v < 10 ? '0' + v : 'a' + v - 10);
}

} // namespace

void tJsonStream::indent(size_t level)
{
    buf_.append(static_cast<qsizetype>(4 * level), ' ');
}

void tJsonStream::beginValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    // An array element (or the document itself) starts its own line.
    if (!levels_.empty()) {
        tLevel &l = levels_.back();
        buf_.append(l.Empty ? "\n" : ",\n");
        l.Empty = false;
        indent(levels_.size());
    }
}

void tJsonStream::open(char bracket)
{
    beginValue();
    buf_.append(bracket);
    levels_.push_back({bracket == '{', true});
}

void tJsonStream::close(char bracket)
{
    levels_.pop_back();
    buf_.append('\n');
    indent(levels_.size());
    buf_.append(bracket);
    if (levels_.empty())
        buf_.append('\n');
    sendIfFull();
}

void tJsonStream::BeginObject()
{
    open('{');
}

void tJsonStream::EndObject()
{
    close('}');
}

void tJsonStream::BeginArray()
{
    open('[');
}

void tJsonStream::EndArray()
{
    close(']');
}

void tJsonStream::Key(const char *key)
{
    tLevel &l = levels_.back();
    buf_.append(l.Empty ? "\n" : ",\n");
    l.Empty = false;
    indent(levels_.size());
    buf_.append('"');
    buf_.append(key);
    buf_.append("\": ");
    afterKey_ = true;
}

void tJsonStream::escaped(const QString &s)
{
    buf_.append('"');
    const char16_t *u = reinterpret_cast<const char16_t *>(s.constData());
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = u[i];
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\') {
            buf_.append(static_cast<char>(c));
            continue;
        }
        if (c < 0x80) {
            buf_.append('\\');
            switch (c) {
            case '"': buf_.append('"'); break;
            case '\\': buf_.append('\\'); break;
            case '\b': buf_.append('b'); break;
            case '\f': buf_.append('f'); break;
            case '\n': buf_.append('n'); break;
            case '\r': buf_.append('r'); break;
            case '\t': buf_.append('t'); break;
            default:
                buf_.append("u00");
                buf_.append(HexDigit(c >> 4));
                buf_.append(HexDigit(c & 0xF));
            }
            continue;
        }
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(u[i + 1])) {
            cp = QChar::surrogateToUcs4(c, u[i + 1]);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            // No UTF-8 form: the escape keeps the unit.
            buf_.append("\\u");
            for (int shift = 12; shift >= 0; shift -= 4)
                buf_.append(HexDigit((c >> shift) & 0xF));
            continue;
        }
        if (cp < 0x800) {
            buf_.append(static_cast<char>(0xC0 | (cp >> 6)));
        } else if (cp < 0x10000) {
            buf_.append(static_cast<char>(0xE0 | (cp >> 12)));
            buf_.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        } else {
            buf_.append(static_cast<char>(0xF0 | (cp >> 18)));
            buf_.append(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            buf_.append(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        }
        buf_.append(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    buf_.append('"');
}

void tJsonStream::Value(const tScalar &value)
{
    beginValue();
    if (const auto *s = std::get_if<QString>(&value)) {
        escaped(*s);
    } else if (const auto *i = std::get_if<qint64>(&value)) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, *i).ptr;
        buf_.append(digits, end - digits);
    } else if (const auto *b = std::get_if<bool>(&value)) {
        buf_.append(*b ? "true" : "false");
    } else {
        const double d = std::get<double>(value);
        buf_.append(qIsFinite(d) ? QByteArray::number(d, 'g', QLocale::FloatingPointShortest) : QByteArray("null"));
    }
    if (levels_.empty())
        buf_.append('\n');
    sendIfFull();
}

void tJsonStream::Members(std::vector<tMember> members)
{
    auto before = [](const tMember &a, const tMember &b) { return std::strcmp(a.first, b.first) < 0; };
    if (!std::is_sorted(members.begin(), members.end(), before))
        std::sort(members.begin(), members.end(), before);
    for (const tMember &m : members) {
        Key(m.first);
        Value(m.second);
    }
}

void tJsonStream::sendIfFull()
{
    if (buf_.size() >= SendAt)
        Flush();
}

bool tJsonStream::Flush()
{
    if (!buf_.isEmpty() && !failed_)
        failed_ = std::fwrite(buf_.constData(), 1, static_cast<size_t>(buf_.size()), out_) !=
                  static_cast<size_t>(buf_.size());
    buf_.resize(0);
    if (!failed_)
        failed_ = std::fflush(out_) != 0;
    return !failed_;
}
