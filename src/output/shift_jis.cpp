// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shift_jis.h"

#include <array>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <iconv.h>

namespace corvane::output {

namespace {

// glibc's CP932 gives Windows' bytes; its SHIFT_JIS lacks Windows' own
// characters but reads JIS X 0208 as Shift_JIS does ("〜" where Windows reads "～").
constexpr const char *codePage = "CP932";
constexpr const char *shiftJis = "SHIFT_JIS";
constexpr const char *utf16 = "UTF-16LE";

constexpr quint16 unknown = 0;
constexpr quint16 unencodable = 1; // no non-ASCII character encodes as byte 01

// Whether `bytes` read back as exactly `unit` through `decoder`.
bool readsAs(iconv_t decoder, char *bytes, std::size_t length, char16_t unit)
{
    char16_t back[2] = {};
    char *in = bytes;
    std::size_t inLeft = length;
    char *out = reinterpret_cast<char *>(back);
    std::size_t outLeft = sizeof back;
    iconv(decoder, nullptr, nullptr, nullptr, nullptr);
    return iconv(decoder, &in, &inLeft, &out, &outLeft) != std::size_t(-1) &&
           out - reinterpret_cast<char *>(back) == sizeof(char16_t) && back[0] == unit;
}

// Converts one UTF-16 unit with iconv; returns its one or two bytes as a
// number, or `unencodable` when the code page has no bytes for it or its bytes
// stand for another character in Windows and in Shift_JIS alike ("¥" would
// come back as a backslash).
quint16 askIconv(char16_t unit)
{
    static const iconv_t encoder = iconv_open(codePage, utf16);
    static const iconv_t windows = iconv_open(utf16, codePage);
    static const iconv_t jis = iconv_open(utf16, shiftJis);
    if (encoder == iconv_t(-1) || windows == iconv_t(-1) || jis == iconv_t(-1))
        return unencodable;

    char bytes[4];
    char *in = reinterpret_cast<char *>(&unit);
    std::size_t inLeft = sizeof unit;
    char *out = bytes;
    std::size_t outLeft = sizeof bytes;
    if (iconv(encoder, &in, &inLeft, &out, &outLeft) == std::size_t(-1))
        return unencodable;
    const std::size_t length = std::size_t(out - bytes);
    // A single byte must read back in Windows: 5C and 7E are "\\" and "~" to CSS.
    if (!readsAs(windows, bytes, length, unit) &&
        !(length == 2 && readsAs(jis, bytes, length, unit)))
        return unencodable;

    const auto byte = [&bytes](std::size_t i) {
        return quint16(quint8(bytes[i]));
    };
    return length == 1 ? byte(0) : quint16(byte(0) << 8 | byte(1));
}

// What iconv said of each unit, asked once a process: a text of any size costs
// one lookup a character. (The program has one thread.)
quint16 cp932Of(char16_t unit)
{
    static std::array<quint16, 0x10000> known{};
    quint16 &bytes = known[unit];
    if (bytes == unknown)
        bytes = askIconv(unit);
    return bytes;
}

} // namespace

qsizetype encodeCp932Into(QStringView text, char *&out)
{
    // A local cursor: stores through char* could alias `out` itself, which
    // would keep the compiler from holding it in a register.
    char *o = out;
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size) {
#if defined(__SSE2__)
        // Most of a style sheet is ASCII: eight units at a time while it lasts.
        const __m128i notAscii = _mm_set1_epi16(short(0xFF80));
        for (; i + 8 <= size; i += 8, o += 8) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(units + i));
            if (_mm_movemask_epi8(
                    _mm_cmpeq_epi16(_mm_and_si128(eight, notAscii), _mm_setzero_si128())) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(o), _mm_packus_epi16(eight, eight));
        }
        if (i == size)
            break;
#endif
        const char16_t unit = units[i];
        if (unit < 0x80) { // ASCII is the same in the code page, controls included
            *o++ = char(unit);
            ++i;
            continue;
        }
        // The code page holds nothing beyond the Basic Multilingual Plane.
        const quint16 code = QChar::isSurrogate(unit) ? unencodable : cp932Of(unit);
        if (code == unencodable)
            return i;
        if (code > 0xFF)
            *o++ = char(code >> 8);
        *o++ = char(code & 0xFF);
        ++i;
    }
    out = o;
    return -1;
}

Encoded encodeCp932(QStringView text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char *out = bytes.data();
    const qsizetype bad = encodeCp932Into(text, out);
    if (bad >= 0)
        return {{}, bad};
    bytes.resize(out - bytes.data());
    return {bytes, -1};
}

} // namespace corvane::output
