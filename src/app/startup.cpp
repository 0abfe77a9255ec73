// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "window_icon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace corvane {

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("0.01"));
    // Wayland docks find the desktop entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("org.corvane.corvane"));
    QApplication::setWindowIcon(windowIcon());

    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto *translator = new QTranslator(&app);
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace corvane
