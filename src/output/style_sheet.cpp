#include "style_sheet.h"

namespace corvane::output {

QString styleSheetFileText(const QString &sheet)
{
    static const QString header =
        QStringLiteral("/* Copyright(C)You name. Original CSS File. */\r\n"
                       "/*\r\n"
                       "----------------------------------------------\r\n"
                       "--Style Sheet-------------------------------*/\r\n"
                       "\r\n");
    static const QString trailer =
        QStringLiteral("\r\n"
                       "/*--------------------------------------------\r\n"
                       "---------------------------End Style Sheet--*/\r\n"
                       "\r\n"
                       "/*                      Corvane Ver.0.1.0β */\r\n");
    Q_ASSERT(header.size() == fileHeaderLength);
    return header + sheet + trailer;
}

QString styleBlock(const QString &sheet)
{
    return QStringLiteral("<STYLE TYPE='TEXT/CSS'>\r\n<!--\r\n\r\n") + sheet +
           QStringLiteral("\r\n//-->\r\n</STYLE>");
}

} // namespace corvane::output
