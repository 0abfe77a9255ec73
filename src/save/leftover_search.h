// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayList>
#include <QtGlobal>

#include <future>

namespace corvane::save {

// Looks for the leftovers of a file beside it while the save runs: on a share, reading the
// folder costs round trips that the save need not wait for. What other saves make meanwhile
// they hold, and the next save clears.
class LeftoverSearch {
public:
    // Starts reading `folder` (its own descriptor: the caller's may close first) for the
    // leftovers of the file `name`, but for `own`, the name this save itself took.
    LeftoverSearch(int folder, const QByteArray &name, const QByteArray &own);
    LeftoverSearch(const LeftoverSearch &) = delete;
    LeftoverSearch &operator=(const LeftoverSearch &) = delete;

    // The leftovers found; waits for them the first time.
    const QByteArrayList &found();

private:
    QByteArrayList m_names; // those it looks for
    std::future<quint32> m_search;
    QByteArrayList m_found;
};

} // namespace corvane::save
