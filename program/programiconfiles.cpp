// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/programiconfiles.h"

#include "program/programicon.h"

#include <QBuffer>
#include <QDataStream>
#include <QPainter>

#include <utility>

namespace {

QByteArray pngOf(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

QImage programIconImage(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintProgramIcon(painter, QRectF(0, 0, pixels, pixels), programIconDepth(pixels));
    painter.end();
    return image;
}

QByteArray programIconIco()
{
    // An icon directory, one 16-byte entry per size, then the PNGs; all
    // little-endian. A width or height of 0 stands for 256.
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    QList<QByteArray> images;
    for (int size : sizes)
        images << pngOf(programIconImage(size));

    QByteArray ico;
    QDataStream out(&ico, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        const quint8 side = sizes[i] >= 256 ? 0 : quint8(sizes[i]);
        out << side << side << quint8(0) << quint8(0) // no palette, reserved
            << quint16(1) << quint16(32)               // planes, bits per pixel
            << quint32(images[i].size()) << offset;
        offset += images[i].size();
    }
    for (const QByteArray &png : std::as_const(images))
        out.writeRawData(png.constData(), int(png.size()));
    return ico;
}

QByteArray programIconIcns()
{
    // "icns" and the file's length, then per size a type code, the
    // element's length with its 8-byte header, and a PNG; all big-endian.
    const std::pair<const char *, int> elements[] = {
        {"icp4", 16}, {"icp5", 32}, {"icp6", 64}, {"ic07", 128}, {"ic08", 256}, {"ic09", 512}, {"ic10", 1024},
    };
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    for (const auto &[type, size] : elements) {
        const QByteArray png = pngOf(programIconImage(size));
        out.writeRawData(type, 4);
        out << quint32(8 + png.size());
        out.writeRawData(png.constData(), int(png.size()));
    }

    QByteArray icns;
    QDataStream file(&icns, QIODevice::WriteOnly);
    file.writeRawData("icns", 4);
    file << quint32(8 + body.size());
    file.writeRawData(body.constData(), int(body.size()));
    return icns;
}
