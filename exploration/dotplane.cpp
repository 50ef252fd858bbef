// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/dotplane.h"

#include <cstring>

DotPlane::DotPlane(QSize size)
    : m_size(size.expandedTo(QSize(1, 1)))
    , m_stride((qsizetype(m_size.width()) + 3) / 4 * 4)
    , m_pixels(std::make_unique<Pixel[]>(std::size_t(m_stride) * std::size_t(m_size.height())))
{
    setView(FigureView{});
}

bool DotPlane::fitsTheCaches() const
{
    constexpr qsizetype kCachedBytes = 4 << 20;
    return m_stride * m_size.height() <= kCachedBytes;
}

DotPlane::Setting DotPlane::settingFor(bool keepHighest) const
{
    if (keepHighest)
        return Setting::KeepHighest;
    // Most dots of a solid figure land on a pixel already set. In a plane
    // that fits the processor's caches, a pixel only read stays in every
    // core's cache, where one written to would have to move to the writing
    // core each time: looking first lets threads share the plane at full
    // speed. In a larger plane most pixels are not in the cache at all, and
    // a store, which the processor need not wait for, beats a read it must.
    return fitsTheCaches() ? Setting::LookFirst : Setting::Store;
}

void DotPlane::setView(const FigureView &view)
{
    m_view = view;
    m_mapping = PixelMapping::of(m_size, view.left, view.top, view.right, view.bottom);
    m_origin = QPointF(view.left + view.width() / 2, view.bottom + view.height() / 2);
    m_fromOrigin = PixelMapping::of(m_size, view.left - m_origin.x(), view.top - m_origin.y(),
                                    view.right - m_origin.x(), view.bottom - m_origin.y());
}

QImage DotPlane::image(const QList<QRgb> &colourTable) const
{
    QImage image(m_size, QImage::Format_Indexed8);
    if (image.isNull())
        return image;
    image.setColorTable(colourTable);
    // The threads that plotted are joined: the bytes are read as bytes.
    const auto *bytes = reinterpret_cast<const uchar *>(m_pixels.get());
    for (int row = 0; row < m_size.height(); ++row)
        std::memcpy(image.scanLine(row), bytes + row * m_stride, std::size_t(m_size.width()));
    return image;
}

QImage DotPlane::takeImage(const QList<QRgb> &colourTable)
{
    Pixel *pixels = m_pixels.get();
    QImage image(reinterpret_cast<uchar *>(pixels), m_size.width(), m_size.height(), m_stride,
                 QImage::Format_Indexed8, [](void *plane) { delete[] static_cast<Pixel *>(plane); }, pixels);
    if (image.isNull())
        return image; // the plane keeps its pixels
    m_pixels.release(); // now the image's
    image.setColorTable(colourTable);
    return image;
}
