// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture.h"

#include "picture/programface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

Picture::Picture(QSize pixels)
{
    setLogicalDpi(m_dpiX, m_dpiY);
    setPalette(m_palette);
    fitTo(pixels, 1);
}

// ---------------------------------------------------------------------------
// Size, resolution, colours and coordinates

bool Picture::fitTo(QSize devicePixels, qreal devicePixelRatio)
{
    const QSize device = devicePixels.expandedTo(QSize(1, 1));
    if (m_image.size() == device && m_image.devicePixelRatio() == devicePixelRatio) {
        applyResolution(); // the screen's resolution may have changed all the same
        return false;
    }

    // What was drawn at the current size is the picture to fit from; if
    // nothing was, the one it was fitted from still is, so that a picture
    // returning to that size shows the very pixels drawn there.
    if (m_drawn.isNull() || drawnSinceFitted())
        m_drawn = m_image;
    QImage image;
    if (m_drawn.isNull()) {
        image = QImage(device, QImage::Format_RGB32);
        image.fill(colourOf(m_backColour));
    } else if (m_drawn.size() == device) {
        image = m_drawn;
    } else {
        // Smoothly, so that single dots survive being made smaller as grey.
        image = m_drawn.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
    }
    image.setDevicePixelRatio(devicePixelRatio);
    m_image = image;
    applyResolution();
    setScale(m_scaleLeft, m_scaleTop, m_scaleRight, m_scaleBottom);

    markDirty(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()));
    m_pointsWhenFitted = m_pointsSet;
    m_paintedSinceFitted = false;
    return true;
}

bool Picture::drawnSinceFitted() const
{
    return m_pointsSet != m_pointsWhenFitted || m_paintedSinceFitted;
}

void Picture::setLogicalDpi(int dpiX, int dpiY)
{
    m_dpiX = dpiX;
    m_dpiY = dpiY;
    if (m_screenResolution.isNull())
        m_screenResolution = QImage(1, 1, QImage::Format_RGB32);
    m_screenResolution.setDotsPerMeterX(qRound(dpiX / 0.0254));
    m_screenResolution.setDotsPerMeterY(qRound(dpiY / 0.0254));
    applyResolution();
}

void Picture::applyResolution()
{
    // Text sizes follow the screen's logical resolution, scaled with the layout.
    m_image.setDotsPerMeterX(qRound(m_dpiX * m_layoutScale / 0.0254));
    m_image.setDotsPerMeterY(qRound(m_dpiY * m_layoutScale / 0.0254));
    // Also makes the pixels the image's own, should they still be shared
    // with the picture it was fitted from.
    m_pixels = m_image.bits();
    m_bytesPerLine = m_image.bytesPerLine();
}

void Picture::setLayoutScale(double factor)
{
    if (factor == m_layoutScale || !(factor > 0))
        return;
    m_layoutScale = factor;
    applyResolution();
}

void Picture::setPalette(const QPalette &palette)
{
    m_palette = palette;
    m_foreRgb = colourOf(m_foreColour).rgb();
}

void Picture::setForeColour(quint32 packed)
{
    m_foreColour = packed;
    m_foreRgb = colourOf(m_foreColour).rgb();
}

void Picture::setScale(double left, double top, double right, double bottom)
{
    m_scaleLeft = left;
    m_scaleTop = top;
    m_scaleRight = right;
    m_scaleBottom = bottom;
    m_mapping = PixelMapping::of(m_image.size(), left, top, right, bottom);
}

QPointF Picture::logicalOf(double x, double y) const
{
    const QSizeF size = m_image.deviceIndependentSize();
    return QPointF((x - m_scaleLeft) * size.width() / (m_scaleRight - m_scaleLeft),
                   (y - m_scaleTop) * size.height() / (m_scaleBottom - m_scaleTop));
}

double Picture::logicalPixelsPerUnitX() const
{
    return std::fabs(m_image.deviceIndependentSize().width() / (m_scaleRight - m_scaleLeft));
}

QPoint Picture::pixelOf(double x, double y) const
{
    return QPoint(static_cast<int>(std::floor((x - m_scaleLeft) * m_mapping.perUnitX)),
                  static_cast<int>(std::floor((y - m_scaleTop) * m_mapping.perUnitY)));
}

QColor Picture::colourAt(double x, double y) const
{
    const QPoint pixel = pixelOf(x, y);
    return m_image.valid(pixel) ? m_image.pixelColor(pixel) : QColor();
}

// ---------------------------------------------------------------------------
// What changed

void Picture::markDirty(const QRectF &logicalRect)
{
    const qreal ratio = m_image.devicePixelRatio();
    // Clipped to the image while still in floating point (with a pixel's
    // margin for smoothed edges), so that a shape far off the picture, or at
    // a point that is not a number, cannot overflow the whole pixels.
    const QRectF area = QRectF(logicalRect.topLeft() * ratio, logicalRect.size() * ratio)
                            .adjusted(-1, -1, 1, 1)
                            .intersected(QRectF(m_image.rect()));
    if (!(area.width() > 0 && area.height() > 0)) // false for NaN too
        return;
    const QRect device = area.toAlignedRect().intersected(m_image.rect());
    if (device.isEmpty())
        return;
    m_paintedSinceFitted = true;
    m_dirtyLeft = std::min(m_dirtyLeft, device.left());
    m_dirtyTop = std::min(m_dirtyTop, device.top());
    m_dirtyRight = std::max(m_dirtyRight, device.right());
    m_dirtyBottom = std::max(m_dirtyBottom, device.bottom());
}

QRect Picture::takeDirtyArea()
{
    if (m_pointsSet != m_pointsShown) {
        m_pointsShown = m_pointsSet;
        markDirty(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()));
    }
    if (m_dirtyRight < m_dirtyLeft)
        return QRect();

    const qreal ratio = m_image.devicePixelRatio();
    const QRect device(QPoint(m_dirtyLeft, m_dirtyTop), QPoint(m_dirtyRight, m_dirtyBottom));
    m_dirtyLeft = m_dirtyTop = std::numeric_limits<int>::max();
    m_dirtyRight = m_dirtyBottom = -1;
    return QRectF(QPointF(device.topLeft()) / ratio, QSizeF(device.size()) / ratio)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

// ---------------------------------------------------------------------------
// Drawing operations

void Picture::clear()
{
    // Filled row by row with ordinary stores rather than QImage::fill(),
    // which streams past the processor's caches for an image this large:
    // the picture then stays in the cache, where the game's dots go next
    // (after a streamed fill, setting them took twice as long).
    const QRgb background = colourOf(m_backColour).rgb();
    m_pixels = m_image.bits(); // the image's own pixels, should they be shared
    for (int row = 0; row < m_image.height(); ++row) {
        auto *line = reinterpret_cast<QRgb *>(m_pixels + row * m_bytesPerLine);
        std::fill(line, line + m_image.width(), background);
    }
    m_currentX = 0;
    m_currentY = 0;
    m_text.clear();
    markDirty(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()));
}

void Picture::setWidePoint(double x, double y)
{
    // A wide dot is a filled disc as wide as the draw width, centred on the
    // pixel that a narrow dot would set.
    const QPointF at = logicalOf(x, y);
    if (!std::isfinite(at.x()) || !std::isfinite(at.y()))
        return; // nowhere: clipped silently, as a narrow dot is
    const QPointF centre(std::floor(at.x()) + 0.5, std::floor(at.y()) + 0.5);
    const double radius = m_drawWidth * m_layoutScale / 2.0;
    {
        QPainter painter(&m_image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgb(m_foreRgb));
        painter.drawEllipse(centre, radius, radius);
    }
    m_pixels = m_image.bits();
    markDirty(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
}

void Picture::circle(double x, double y, double radius, quint32 outlineColour)
{
    // The radius is measured in horizontal units, so the circle stays round.
    const QPointF centre = logicalOf(x, y);
    const double r = radius * logicalPixelsPerUnitX();
    {
        QPainter painter(&m_image);
        QPen pen(colourOf(outlineColour));
        pen.setWidthF(m_drawWidth * m_layoutScale);
        painter.setPen(pen);
        if (m_fillStyle == FillStyle::Solid)
            painter.setBrush(colourOf(m_fillColour));
        painter.drawEllipse(centre, r, r);
    }
    m_pixels = m_image.bits();
    const double reach = r + m_drawWidth * m_layoutScale;
    markDirty(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach));
}

void Picture::filledBox(double x1, double y1, double x2, double y2, quint32 colour)
{
    // Whole pixels, both corners' pixels included, as a dot there would set them.
    const QPointF a = logicalOf(x1, y1);
    const QPointF b = logicalOf(x2, y2);
    const QRectF box(QPointF(std::floor(std::min(a.x(), b.x())), std::floor(std::min(a.y(), b.y()))),
                     QPointF(std::floor(std::max(a.x(), b.x())) + 1, std::floor(std::max(a.y(), b.y())) + 1));
    {
        QPainter painter(&m_image);
        painter.fillRect(box, colourOf(colour));
    }
    m_pixels = m_image.bits();
    markDirty(box);
    m_text.paintOver(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

void Picture::printLine(const QString &text)
{
    print(text, true);
}

void Picture::printContinuing(const QString &text)
{
    print(text, false);
}

void Picture::print(const QString &text, bool endLine)
{
    const QFont font = currentFont();
    const QFontMetricsF metrics(font, &m_image);
    const QPointF topLeft = logicalOf(m_currentX, m_currentY);
    const double advance = metrics.horizontalAdvance(text);

    if (!text.isEmpty()) {
        {
            QPainter painter(&m_image);
            painter.setFont(font);
            painter.setPen(QColor::fromRgb(m_foreRgb));
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
        }
        m_pixels = m_image.bits();
        markDirty(QRectF(topLeft.x() - metrics.height(), topLeft.y(),
                         advance + 2 * metrics.height(), metrics.height()));
    }

    const QSizeF size = m_image.deviceIndependentSize();
    const double unitsPerPixelX = (m_scaleRight - m_scaleLeft) / size.width();
    const double unitsPerPixelY = (m_scaleBottom - m_scaleTop) / size.height();
    m_text.print(text,
                 QRectF(QPointF(m_currentX, m_currentY),
                        QSizeF(advance * unitsPerPixelX, metrics.height() * unitsPerPixelY)).normalized(),
                 endLine);
    if (endLine) {
        // A line is as high as at layout scale 1, scaled: the lines of a page
        // keep their places at every scale, whatever the font's hinting
        // rounds its line spacing to at the scaled size.
        m_currentX = m_scaleLeft;
        m_currentY += QFontMetricsF(font, &m_screenResolution).lineSpacing() * m_layoutScale * unitsPerPixelY;
    } else {
        m_currentX += advance * unitsPerPixelX;
    }
}

// ---------------------------------------------------------------------------
// Drawing state

void Picture::setCurrentPosition(double x, double y)
{
    m_currentX = x;
    m_currentY = y;
}

void Picture::setDrawWidth(int pixels)
{
    m_drawWidth = std::max(1, pixels);
}

QFont Picture::currentFont() const
{
    // The empty face name (the default face) and "MS Sans Serif", the face
    // the canvas starts with, both come out in the program's own face.
    QFont font(programFaceFamily(m_fontName));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(m_fontSize);
    font.setBold(m_fontBold);
    font.setItalic(m_fontItalic);
    return font;
}
