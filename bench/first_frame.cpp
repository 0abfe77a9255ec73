// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Linked into a copy of a program that the start-up benchmark runs: once the
// window has painted for the first time, it prints the peak resident memory so
// far and ends the program at once, so that tearing the window down is not
// counted. Nothing else changes, and the programs that users run lack it.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstFrame : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The window paints before its children in the same pass, and the pass
        // ends with the frame handed to the window system; a queued call runs after it.
        if (event->type() == QEvent::Paint && !m_seen && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            m_seen = true;
            QMetaObject::invokeMethod(this, &FirstFrame::finish, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void finish()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : status.readAll().split('\n'))
                if (line.startsWith("VmHWM:"))
                    std::fprintf(stderr, "first frame: %s\n", line.simplified().constData());
        }
        std::fflush(stderr);
        std::_Exit(0);
    }

    bool m_seen = false;
};

void watchForFirstFrame()
{
    auto *watch = new FirstFrame;
    watch->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchForFirstFrame)
