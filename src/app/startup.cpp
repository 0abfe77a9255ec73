// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace corvane {

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/corvane/corvane-32.png"));
}

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("0.01"));
    QApplication::setWindowIcon(applicationIcon());

    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto *translator = new QTranslator(&app);
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace corvane
