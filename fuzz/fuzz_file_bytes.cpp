// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A style sheet either encodes whole, and decodes back to itself (six JIS X
// 0208 characters as Windows reads them), or the encoder names the first
// character it cannot hold.
#include "fuzz_input.h"
#include "output/style_sheet.h"

#include <algorithm>
#include <cstdlib>
#include <iconv.h>

using namespace corvane::output;

namespace {

QString decodeCp932(const QByteArray &bytes)
{
    static iconv_t cd = iconv_open("UTF-16LE", "CP932");
    QByteArray out(bytes.size() * 2, Qt::Uninitialized);
    char *in = const_cast<char *>(bytes.constData());
    char *o = out.data();
    std::size_t inLeft = std::size_t(bytes.size());
    std::size_t outLeft = std::size_t(out.size());
    if (iconv(cd, &in, &inLeft, &o, &outLeft) == std::size_t(-1))
        std::abort();
    return QString(reinterpret_cast<const QChar *>(out.constData()), (o - out.data()) / 2);
}

// Saved with their Shift_JIS bytes, which Windows reads as the full-width forms.
constexpr std::pair<char16_t, char16_t> windowsForms[] = {
    {u'〜', u'～'}, {u'−', u'－'}, {u'‖', u'∥'}, {u'¢', u'￠'}, {u'£', u'￡'}, {u'¬', u'￢'}};

bool readsBackAs(QChar written, QChar read)
{
    return written == read ||
           std::find(std::begin(windowsForms), std::end(windowsForms),
                     std::pair{written.unicode(), read.unicode()}) != std::end(windowsForms);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString sheet = fuzzText(data, size);
    const Encoded file = styleSheetFile(sheet);
    if (file.unencodableAt < 0) {
        const QString text = decodeCp932(file.bytes);
        // 150 characters of header before the sheet, 147 of trailer after it.
        if (text.size() != sheet.size() + 297 ||
            !std::equal(sheet.begin(), sheet.end(), text.begin() + 150, readsBackAs))
            std::abort();
        return 0;
    }
    const qsizetype at = file.unencodableAt;
    if (at < 0 || at >= sheet.size() || !file.bytes.isEmpty())
        std::abort();
    // Everything before it encodes; the character alone does not.
    if (encodeCp932(sheet.left(at)).unencodableAt >= 0 ||
        encodeCp932(sheet.mid(at, 1)).unencodableAt != 0)
        std::abort();
    return 0;
}
