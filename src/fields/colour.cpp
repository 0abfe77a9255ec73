// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colour.h"

#include <QTextBoundaryFinder>

namespace corvane::fields {

namespace {

constexpr ColourNumber fromRgb(unsigned red, unsigned green, unsigned blue)
{
    return red | (green << 8) | (blue << 16);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

int visibleLength(const QString &text)
{
    // Below U+0300 nothing combines, and only CR LF forms one character of two.
    bool simple = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x300 || c == u'\r') {
            simple = false;
            break;
        }
    }
    if (simple)
        return int(text.size());

    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int length = 0;
    while (finder.toNextBoundary() != -1)
        ++length;
    return length;
}

std::optional<ColourNumber> c_conv(const QString &color_Name)
{
    // The colours a browser shows for the names written into the rule.
    static const std::pair<QString, ColourNumber> names[] = {
        {QStringLiteral("red"), fromRgb(0xFF, 0x00, 0x00)},
        {QStringLiteral("blue"), fromRgb(0x00, 0x00, 0xFF)},
        {QStringLiteral("green"), fromRgb(0x00, 0x80, 0x00)},
        {QStringLiteral("yellow"), fromRgb(0xFF, 0xFF, 0x00)},
        {QStringLiteral("pink"), fromRgb(0xFF, 0xC0, 0xCB)},
        {QStringLiteral("white"), fromRgb(0xFF, 0xFF, 0xFF)},
        {QStringLiteral("black"), fromRgb(0x00, 0x00, 0x00)},
    };
    for (const auto &[name, colour] : names) {
        if (color_Name == name)
            return colour;
    }

    if (!color_Name.startsWith(u'#'))
        return white;
    const int length = visibleLength(color_Name);
    if (length < 2 || length > 7)
        return white;

    ColourNumber n = 0;
    for (qsizetype i = 1; i < color_Name.size(); ++i) {
        const int digit = hexDigit(color_Name.at(i));
        if (digit < 0)
            return std::nullopt;
        n = n * 16 + ColourNumber(digit);
    }
    // The digits read red first; the number keeps red in the low byte.
    return fromRgb((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
}

QString hexColourText(ColourNumber colour)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QString text(7, u'#');
    const unsigned parts[] = {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
    for (int i = 0; i < 3; ++i) {
        text[1 + 2 * i] = QLatin1Char(digits[parts[i] >> 4]);
        text[2 + 2 * i] = QLatin1Char(digits[parts[i] & 0xF]);
    }
    return text;
}

QColor toQColor(ColourNumber colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

ColourNumber colourNumber(const QColor &colour)
{
    return fromRgb(unsigned(colour.red()), unsigned(colour.green()), unsigned(colour.blue()));
}

} // namespace corvane::fields
