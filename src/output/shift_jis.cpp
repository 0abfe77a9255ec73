#include "shift_jis.h"

#include <cerrno>
#include <iconv.h>

namespace corvane::output {

namespace {

// glibc's CP932 gives Windows' bytes; its SHIFT_JIS lacks Windows' own characters.
constexpr const char *codePage = "CP932";
constexpr const char *utf16 = "UTF-16LE";

class Converter {
public:
    Converter(const char *to, const char *from)
        : m_cd(iconv_open(to, from))
    {
    }
    ~Converter()
    {
        if (isValid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isValid() const { return m_cd != iconv_t(-1); }

    // Converts `size` bytes at `in` into `out`, which has room for them all.
    // Returns the bytes written, and sets `stoppedAt` to the input offset of an
    // invalid or incomplete sequence, or -1 when all of it converted.
    std::size_t convert(const char *in, std::size_t size, char *out, std::size_t room,
                        qsizetype &stoppedAt)
    {
        char *inPtr = const_cast<char *>(in);
        char *outPtr = out;
        std::size_t inLeft = size;
        stoppedAt = -1;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &room) == std::size_t(-1))
            stoppedAt = inPtr - in;
        return std::size_t(outPtr - out);
    }

private:
    iconv_t m_cd;
};

} // namespace

Encoded encodeCp932(const QString &text)
{
    Converter encoder(codePage, utf16);
    Converter decoder(utf16, codePage);
    if (!encoder.isValid() || !decoder.isValid())
        return {{}, text.isEmpty() ? -1 : 0};

    // Every UTF-16 unit takes at most two bytes in the code page.
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char *out = bytes.data();
    QByteArray back;
    const auto *units = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype size = text.size();

    for (qsizetype i = 0; i < size;) {
        // ASCII is the same in the code page, control characters included.
        if (units[i] < 0x80) {
            *out++ = char(units[i++]);
            continue;
        }
        qsizetype end = i;
        while (end < size && units[end] >= 0x80)
            ++end;

        const auto *run = reinterpret_cast<const char *>(units + i);
        const std::size_t runBytes = std::size_t(end - i) * sizeof(char16_t);
        qsizetype stopped;
        const std::size_t written = encoder.convert(run, runBytes, out, runBytes, stopped);
        qsizetype bad = stopped < 0 ? -1 : i + stopped / qsizetype(sizeof(char16_t));

        // Some characters convert one way only, to a look-alike ("〜" to "～").
        // Each maps to one UTF-16 unit and back, so the first difference of the
        // round trip is the first such character.
        back.resize(qsizetype(written) * 2 + 2);
        qsizetype ignored;
        const std::size_t decoded =
            decoder.convert(out, written, back.data(), std::size_t(back.size()), ignored);
        const auto *again = reinterpret_cast<const char16_t *>(back.constData());
        const qsizetype checked = (bad < 0 ? end : bad) - i;
        const qsizetype decodedSize = qsizetype(decoded / sizeof(char16_t));
        for (qsizetype k = 0; k < checked; ++k) {
            if (k >= decodedSize || again[k] != units[i + k]) {
                bad = i + k;
                break;
            }
        }
        if (bad >= 0)
            return {{}, bad};
        out += written;
        i = end;
    }
    bytes.resize(out - bytes.data());
    return {bytes, -1};
}

} // namespace corvane::output
