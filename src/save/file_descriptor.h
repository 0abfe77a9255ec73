// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

#include <unistd.h>

namespace corvane::save {

// The path through which the kernel names an open file.
inline QByteArray procPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// An open file descriptor, closed with its owner.
class Fd {
public:
    explicit Fd(int fd = -1)
        : m_fd(fd)
    {
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() { reset(-1); }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }
    explicit operator bool() const { return m_fd >= 0; }

private:
    int m_fd;
};

} // namespace corvane::save
