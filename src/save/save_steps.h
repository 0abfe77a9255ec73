// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

namespace corvane::save {

// The moments of a save at which another process could act: a test pauses the
// save there to be that process, so that a race is certain instead of lucky.
enum class SaveStep {
    Located,   // the file and its folder are open
    Written,   // the new file is whole on disk, not yet under the file's name
    Copied,    // a rewrite in place: the old bytes are safe, none changed yet
    Rewriting, // a rewrite in place: the new bytes are being written
};

// Empty in the program.
inline std::function<void(SaveStep)> onSaveStep;

inline void reach(SaveStep step)
{
    if (onSaveStep)
        onSaveStep(step);
}

} // namespace corvane::save
