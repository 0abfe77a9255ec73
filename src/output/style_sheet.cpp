// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "style_sheet.h"

#include <algorithm>

namespace corvane::output {

Encoded styleSheetFile(QStringView sheet)
{
    static const QByteArray header = "/* Copyright(C)You name. Original CSS File. */\r\n"
                                     "/*\r\n"
                                     "----------------------------------------------\r\n"
                                     "--Style Sheet-------------------------------*/\r\n"
                                     "\r\n";
    static const QByteArray trailer =
        encodeCp932(QStringLiteral("\r\n"
                                   "/*--------------------------------------------\r\n"
                                   "---------------------------End Style Sheet--*/\r\n"
                                   "\r\n"
                                   "/*                      Corvane Ver.0.1.0β */\r\n"))
            .bytes;

    // The sheet is encoded in place: a large one is never copied whole.
    QByteArray file(header.size() + sheet.size() * 2 + trailer.size(), Qt::Uninitialized);
    char *out = file.data();
    out = std::copy(header.begin(), header.end(), out);
    const qsizetype bad = encodeCp932Into(sheet, out);
    if (bad >= 0)
        return {{}, bad};
    out = std::copy(trailer.begin(), trailer.end(), out);
    file.resize(out - file.data());
    return {file, -1};
}

QString styleBlock(const QString &sheet)
{
    return QStringLiteral("<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\n") + sheet +
           QStringLiteral("\r\n//-->\r\n</STYLE>");
}

} // namespace corvane::output
