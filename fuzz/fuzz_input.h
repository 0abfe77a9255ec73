// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Fuzz bytes read as UTF-16, so that every QString can occur, lone surrogates
// included; an odd last byte is dropped.
inline QString fuzzText(const std::uint8_t *data, std::size_t size)
{
    return QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
}
