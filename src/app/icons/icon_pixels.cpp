// SPDX-FileCopyrightText: 2026 Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Build tool: writes the pixels of a rendered icon PNG as Qt's ARGB32 words
// (not premultiplied, in this machine's byte order), row after row, so that
// the program carries its icon in a form that needs no decoding.
//   icon_pixels IN.png OUT
#include <QFile>
#include <QImage>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_pixels IN.png OUT\n");
        return 2;
    }
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "icon_pixels: cannot read %s\n", argv[1]);
        return 1;
    }
    image.convertTo(QImage::Format_ARGB32);
    QFile out(QString::fromLocal8Bit(argv[2]));
    const auto bytes = reinterpret_cast<const char *>(image.constBits());
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(bytes, image.sizeInBytes()) != image.sizeInBytes() || !out.flush()) {
        std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
