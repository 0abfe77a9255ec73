// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

namespace corvane {

// The Gothic faces that captions, labels and boxes ask for, best first, and
// the one of them used: the first installed.
QStringList gothicFaces(bool fixedPitch);
QString gothicFace(bool fixedPitch);

} // namespace corvane
