#include "browse/finders/textpattern.h"

#include <array>
#include <unordered_map>
#include <vector>

namespace {

// What one pattern position accepts, and how often.
enum class tClass { Literal, Any, Printable };
enum class tRepeat { One, Optional, Star, Plus };

struct tToken {
    tClass Class = tClass::Literal;
    char32_t Char = 0;
    tRepeat Repeat = tRepeat::One;
};

char32_t Fold(char32_t c)
{
    if (c < 128)
        return c >= U'A' && c <= U'Z' ? c + 32 : c;
    return QChar::toCaseFolded(c);
}

// Walks a text by code points, so "?" takes a whole character even when it
// lies outside the basic plane.
template <class F>
void ForEachCodePoint(const QString &text, F &&f)
{
    const char16_t *p = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = p + text.size();
    while (p < end) {
        char32_t c = *p++;
        if (QChar::isHighSurrogate(c) && p < end && QChar::isLowSurrogate(*p))
            c = QChar::surrogateToUcs4(static_cast<char16_t>(c), *p++);
        if (!f(c))
            return;
    }
}

bool IsPrintable(char32_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

} // namespace

// The automaton: state i means "the first i positions of the pattern are
// matched"; state 0 is always live because the pattern may start anywhere,
// and the value matches once state m (the pattern's length) is reached.
// The states are bits of a few machine words.
struct tTextPattern::tProgram {
    int Positions = 0;
    int Words = 1;
    bool Caseless = true;
    int MinLength = 0;  // characters a match needs at least
    std::vector<uint64_t> Ascii;  // 128 masks: the positions a character accepts
    std::unordered_map<char32_t, std::vector<uint64_t>> Other;
    std::vector<uint64_t> AnyMask, PrintableMask, LoopMask, SkipMask;

    explicit tProgram(const std::vector<tToken> &tokens, bool caseless)
        : Positions(static_cast<int>(tokens.size())), Words(static_cast<int>(tokens.size()) / 64 + 1),
          Caseless(caseless), Ascii(static_cast<size_t>(128 * Words)), AnyMask(Words), PrintableMask(Words),
          LoopMask(Words), SkipMask(Words)
    {
        for (int i = 0; i < Positions; ++i) {
            const tToken &t = tokens[static_cast<size_t>(i)];
            const int bit = i + 1;  // position i moves state i to state i + 1
            const auto set = [&](std::vector<uint64_t> &mask, size_t base = 0) {
                mask[base + static_cast<size_t>(bit / 64)] |= uint64_t{1} << (bit % 64);
            };
            switch (t.Class) {
            case tClass::Any: set(AnyMask); break;
            case tClass::Printable: set(PrintableMask); break;
            case tClass::Literal: {
                const char32_t c = caseless ? Fold(t.Char) : t.Char;
                if (c < 128)
                    set(Ascii, static_cast<size_t>(c) * static_cast<size_t>(Words));
                else {
                    auto &mask = Other[c];
                    mask.resize(static_cast<size_t>(Words));
                    set(mask);
                }
                break;
            }
            }
            if (t.Repeat == tRepeat::Star || t.Repeat == tRepeat::Plus)
                set(LoopMask);
            if (t.Repeat == tRepeat::Star || t.Repeat == tRepeat::Optional)
                set(SkipMask);
            if (t.Repeat == tRepeat::One || t.Repeat == tRepeat::Plus)
                ++MinLength;
        }
    }

    // The positions character c may fill, into out.
    void Accepting(char32_t c, uint64_t *out) const
    {
        const char32_t key = Caseless ? Fold(c) : c;
        const uint64_t *lit = nullptr;
        if (key < 128)
            lit = &Ascii[static_cast<size_t>(key) * static_cast<size_t>(Words)];
        else if (const auto it = Other.find(key); it != Other.end())
            lit = it->second.data();
        const bool printable = IsPrintable(c);
        for (int w = 0; w < Words; ++w)
            out[w] = (lit ? lit[w] : 0) | AnyMask[static_cast<size_t>(w)] |
                     (printable ? PrintableMask[static_cast<size_t>(w)] : 0);
    }

    // Adds the states reached by skipping optional positions.
    void Close(uint64_t *d) const
    {
        for (;;) {
            uint64_t carry = 0;
            bool grew = false;
            for (int w = 0; w < Words; ++w) {
                const uint64_t shifted = (d[w] << 1) | carry;
                carry = d[w] >> 63;
                const uint64_t add = shifted & SkipMask[static_cast<size_t>(w)] & ~d[w];
                if (add) {
                    d[w] |= add;
                    grew = true;
                }
            }
            if (!grew)
                return;
        }
    }

    bool Accepted(const uint64_t *d) const { return (d[Positions / 64] >> (Positions % 64)) & 1; }

    bool FoundIn(const QString &value) const
    {
        if (Positions == 0)
            return true;
        if (value.size() < MinLength)
            return false;
        if (Words == 1)
            return FoundInOneWord(value);
        std::vector<uint64_t> d(static_cast<size_t>(Words)), next(static_cast<size_t>(Words)),
            accept(static_cast<size_t>(Words));
        d[0] = 1;
        Close(d.data());
        if (Accepted(d.data()))
            return true;
        bool found = false;
        ForEachCodePoint(value, [&](char32_t c) {
            Accepting(c, accept.data());
            uint64_t carry = 0;
            for (int w = 0; w < Words; ++w) {
                const size_t i = static_cast<size_t>(w);
                const uint64_t shifted = (d[i] << 1) | carry;
                carry = d[i] >> 63;
                next[i] = (shifted | (d[i] & LoopMask[i])) & accept[i];
            }
            next[0] |= 1;  // state 0 stays live: a match may start at every character
            Close(next.data());
            d.swap(next);
            found = Accepted(d.data());
            return !found;
        });
        return found;
    }

    bool FoundInOneWord(const QString &value) const
    {
        const uint64_t loop = LoopMask[0], skip = SkipMask[0], any = AnyMask[0], printable = PrintableMask[0];
        const uint64_t done = uint64_t{1} << Positions;
        const auto close = [skip](uint64_t d) {
            for (uint64_t add; (add = (d << 1) & skip & ~d) != 0;)
                d |= add;
            return d;
        };
        uint64_t d = close(1);
        if (d & done)
            return true;
        bool found = false;
        ForEachCodePoint(value, [&](char32_t c) {
            const char32_t key = Caseless ? Fold(c) : c;
            uint64_t accept = any | (IsPrintable(c) ? printable : 0);
            if (key < 128)
                accept |= Ascii[key];
            else if (const auto it = Other.find(key); it != Other.end())
                accept |= it->second[0];
            d = close((((d << 1) | (d & loop)) & accept) | 1);
            found = (d & done) != 0;
            return !found;
        });
        return found;
    }
};

tTextPattern tTextPattern::Wildcards(const QString &pattern, bool caseSensitive)
{
    std::vector<tToken> tokens;
    ForEachCodePoint(pattern, [&](char32_t c) {
        if (c == U'*')
            tokens.push_back({tClass::Printable, 0, tRepeat::Plus});
        else if (c == U'?')
            tokens.push_back({tClass::Any, 0, tRepeat::One});
        else
            tokens.push_back({tClass::Literal, c, tRepeat::One});
        return true;
    });
    tTextPattern p;
    p.program_ = std::make_shared<const tProgram>(tokens, !caseSensitive);
    return p;
}

tTextPattern tTextPattern::RepeatMarks(const QString &pattern)
{
    std::vector<tToken> tokens;
    bool marked = false;  // the last character already carries a mark
    bool lazy = false;    // ... and a "?" after it, which asks for the shortest run and changes nothing here
    bool failed = false;
    ForEachCodePoint(pattern, [&](char32_t c) {
        if (c != U'*' && c != U'?') {
            tokens.push_back({tClass::Literal, c, tRepeat::One});
            marked = lazy = false;
            return true;
        }
        if (tokens.empty() || (marked && (lazy || c != U'?'))) {
            failed = true;
            return false;
        }
        if (marked) {
            lazy = true;
            return true;
        }
        tokens.back().Repeat = c == U'*' ? tRepeat::Star : tRepeat::Optional;
        marked = true;
        return true;
    });
    tTextPattern p;
    p.failed_ = failed;
    if (!failed)
        p.program_ = std::make_shared<const tProgram>(tokens, true);
    return p;
}

bool tTextPattern::FoundIn(const QString &value) const
{
    if (failed_)
        return false;
    return !program_ || program_->FoundIn(value);
}
