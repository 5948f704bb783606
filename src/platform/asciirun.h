#pragma once
// Runs of 7-bit text, which most stored text is, handled 8 or 16 units at a
// time: the binary readers and writers convert them without looking at
// each character.
#include <QtGlobal>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

// The length of the 7-bit prefix of the UTF-16 units u[0..n).
inline qsizetype AsciiPrefix(const char16_t *u, qsizetype n)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, high), _mm_setzero_si128())) != 0xFFFF)
            break;
    }
#endif
    while (i < n && u[i] < 0x80)
        ++i;
    return i;
}

// Stores the 7-bit units u[0..n) as bytes.
inline void NarrowAscii(const char16_t *u, qsizetype n, char *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i + 8));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(a, b));
    }
#endif
    for (; i < n; ++i)
        out[i] = static_cast<char>(u[i]);
}

// Stores the 7-bit prefix of the UTF-16 units u[0..n) as bytes in out,
// checking and narrowing in one pass; returns the prefix's length. out must
// have room for n bytes; what follows the prefix there is undefined.
inline qsizetype NarrowAsciiPrefix(const char16_t *u, qsizetype n, char *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(static_cast<short>(0xFF80));
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i + 8));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(_mm_or_si128(a, b), high), _mm_setzero_si128())) != 0xFFFF)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(a, b));
    }
    for (; i + 8 <= n; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(u + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(a, high), _mm_setzero_si128())) != 0xFFFF)
            break;
        _mm_storel_epi64(reinterpret_cast<__m128i *>(out + i), _mm_packus_epi16(a, a));
    }
#endif
    for (; i < n && u[i] < 0x80; ++i)
        out[i] = static_cast<char>(u[i]);
    return i;
}

// Widens the 7-bit prefix of bytes[0..n) into out; returns its length.
inline qsizetype WidenAscii(const char *bytes, qsizetype n, char16_t *out)
{
    qsizetype i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + i));
        if (_mm_movemask_epi8(v) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_unpackhi_epi8(v, _mm_setzero_si128()));
    }
    // Most stored texts are short: eight bytes at a time before the last few.
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i *>(bytes + i));
        if (_mm_movemask_epi8(v) != 0)
            break;
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(v, _mm_setzero_si128()));
    }
#endif
    for (; i < n && static_cast<unsigned char>(bytes[i]) < 0x80; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    return i;
}

} // namespace platform
