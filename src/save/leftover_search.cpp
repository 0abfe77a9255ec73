// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "leftover_search.h"

#include "file_descriptor.h"
#include "leftovers.h"
#include "remote_folder.h"

#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace corvane::save {

LeftoverSearch::LeftoverSearch(int folder, const QByteArray &name, const QByteArray &own)
    : m_names(leftoverNames(name))
{
    m_names.removeAll(own);
    // Without a descriptor or a thread of its own, each name is asked at the end instead.
    const int dup = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (dup < 0) {
        m_found = m_names;
        return;
    }
    // A thread of its own only where the reading costs round trips: elsewhere it is quicker
    // done at the end than a thread is started.
    const auto policy = servedElsewhere(folder) ? std::launch::async : std::launch::deferred;
    try {
        m_search = std::async(policy, [dup, this] {
            const Fd folder(dup);
            return presentNames(folder.get(), m_names);
        });
    } catch (const std::system_error &) {
        ::close(dup);
        m_found = m_names;
    }
}

const QByteArrayList &LeftoverSearch::found()
{
    if (m_search.valid())
        m_found = namesIn(m_names, m_search.get());
    return m_found;
}

} // namespace corvane::save
