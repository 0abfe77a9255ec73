// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_icon.h"

#include <QDir>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>

namespace corvane {

namespace {

class StoredSizesEngine : public QIconEngine {
public:
    StoredSizesEngine()
    {
        // In name order, as Qt listed the PNG files that it used to decode here.
        for (const QFileInfo &file : QDir(QStringLiteral(":/corvane")).entryInfoList()) {
            const int side = file.fileName().section(u'-', 1).toInt();
            m_sizes.append({QSize(side, side), file.filePath()});
        }
    }

    QIconEngine *clone() const override { return new StoredSizesEngine(*this); }

    // The icon looks the same in every mode and state.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const Stored &stored : m_sizes)
            sizes.append(stored.size);
        return sizes;
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const Stored *stored = bestFor(size);
        return stored ? stored->size.scaled(size, Qt::KeepAspectRatio).boundedTo(stored->size)
                      : QSize();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const Stored *stored = bestFor(size);
        if (!stored)
            return {};
        const QByteArray pixels = QResource(stored->path).uncompressedData(); // no copy
        const QImage image(reinterpret_cast<const uchar *>(pixels.constData()),
                           stored->size.width(), stored->size.height(), QImage::Format_ARGB32);
        const QPixmap pixmap = QPixmap::fromImage(image); // copies out of the resource
        if (stored->size.width() <= size.width() && stored->size.height() <= size.height())
            return pixmap;
        return pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

private:
    struct Stored {
        QSize size;
        QString path;
    };

    // The smallest size that covers the request, else the largest: a bitmap is
    // shrunk rather than enlarged.
    const Stored *bestFor(const QSize &size) const
    {
        const Stored *covering = nullptr, *largest = nullptr;
        for (const Stored &stored : m_sizes) {
            const int side = stored.size.width();
            if (side >= size.width() && side >= size.height() &&
                (!covering || side < covering->size.width()))
                covering = &stored;
            if (!largest || side > largest->size.width())
                largest = &stored;
        }
        return covering ? covering : largest;
    }

    QList<Stored> m_sizes;
};

} // namespace

QIcon windowIcon()
{
    return QIcon(new StoredSizesEngine);
}

} // namespace corvane
