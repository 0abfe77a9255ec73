// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace corvane {

namespace {

QIcon applicationIcon()
{
    QIcon icon; // every size the build rendered
    for (const QFileInfo &png : QDir(QStringLiteral(":/corvane")).entryInfoList())
        icon.addFile(png.filePath());
    return icon;
}

} // namespace

void prepareApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Corvane"));
    QApplication::setApplicationVersion(QStringLiteral("0.01"));
    // Wayland docks find the desktop entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("org.corvane.corvane"));
    QApplication::setWindowIcon(applicationIcon());

    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto *translator = new QTranslator(&app);
    if (translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace corvane
