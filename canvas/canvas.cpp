// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"

#include "canvas/programface.h"

#include "canvas/canvasaccessible.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <utility>

Canvas::Canvas(const QSize &size, QWidget *parent) : QWidget(parent)
{
    // The frame lies outside the contents: a layout on the canvas places its
    // widgets on the interior.
    setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    resize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    refreshColours();
    fitImage();
    m_sincePresent.start();
    CanvasAccessible::install();
}

QRect Canvas::interior() const
{
    return contentsRect();
}

void Canvas::setScale(double left, double top, double right, double bottom)
{
    m_scaleLeft = left;
    m_scaleTop = top;
    m_scaleRight = right;
    m_scaleBottom = bottom;
    m_devicePerUnitX = m_image.width() / (right - left);
    m_devicePerUnitY = m_image.height() / (bottom - top);
}

// ---------------------------------------------------------------------------
// The picture

void Canvas::fitImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize device = interior().size().expandedTo(QSize(1, 1)) * ratio;
    if (m_image.size() == device && m_image.devicePixelRatio() == ratio) {
        applyResolution(); // the screen's resolution may have changed all the same
        return;
    }

    // What was drawn at the current size is the picture to fit from; if
    // nothing was, the one it was fitted from still is, so that a canvas
    // returning to that size shows the very pixels drawn there.
    if (m_drawn.isNull() || drawnSinceFitted())
        m_drawn = m_image;
    QImage image;
    if (m_drawn.isNull()) {
        image = QImage(device, QImage::Format_RGB32);
        image.fill(colourFromPacked(m_backColour, palette()));
    } else if (m_drawn.size() == device) {
        image = m_drawn;
    } else {
        // Smoothly, so that single dots survive being made smaller as grey.
        image = m_drawn.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_RGB32);
    }
    image.setDevicePixelRatio(ratio);
    m_image = image;
    applyResolution();
    m_columns = m_image.width();
    m_rows = m_image.height();
    setScale(m_scaleLeft, m_scaleTop, m_scaleRight, m_scaleBottom);

    markDirty(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()));
    m_pointsWhenFitted = m_pointsSet;
    m_paintedSinceFitted = false;
    update();
}

bool Canvas::drawnSinceFitted() const
{
    return m_pointsSet != m_pointsWhenFitted || m_paintedSinceFitted;
}

void Canvas::applyResolution()
{
    // Text sizes follow the screen's logical resolution, as they would on a
    // widget, scaled with the layout.
    m_image.setDotsPerMeterX(qRound(logicalDpiX() * m_layoutScale / 0.0254));
    m_image.setDotsPerMeterY(qRound(logicalDpiY() * m_layoutScale / 0.0254));
    // Also makes the pixels the image's own, should they still be shared
    // with the picture it was fitted from.
    m_pixels = m_image.bits();
    m_bytesPerLine = m_image.bytesPerLine();
}

void Canvas::setLayoutScale(double factor)
{
    if (factor == m_layoutScale || !(factor > 0))
        return;
    m_layoutScale = factor;
    applyResolution();
}

void Canvas::refreshColours()
{
    m_foreRgb = colourFromPacked(m_foreColour, palette()).rgb();
}

QPointF Canvas::logicalOf(double x, double y) const
{
    const QSizeF size = m_image.deviceIndependentSize();
    return QPointF((x - m_scaleLeft) * size.width() / (m_scaleRight - m_scaleLeft),
                   (y - m_scaleTop) * size.height() / (m_scaleBottom - m_scaleTop));
}

double Canvas::logicalPixelsPerUnitX() const
{
    return std::fabs(m_image.deviceIndependentSize().width() / (m_scaleRight - m_scaleLeft));
}

QPoint Canvas::pixelOf(double x, double y) const
{
    return QPoint(static_cast<int>(std::floor((x - m_scaleLeft) * m_devicePerUnitX)),
                  static_cast<int>(std::floor((y - m_scaleTop) * m_devicePerUnitY)));
}

QColor Canvas::colourAt(double x, double y) const
{
    const QPoint pixel = pixelOf(x, y);
    return m_image.valid(pixel) ? m_image.pixelColor(pixel) : QColor();
}

void Canvas::markDirty(const QRectF &logicalRect)
{
    const qreal ratio = m_image.devicePixelRatio();
    // Clipped to the image while still in floating point (with a pixel's
    // margin for smoothed edges), so that a shape far off the canvas, or at
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

// ---------------------------------------------------------------------------
// Drawing operations

void Canvas::clear()
{
    // Filled row by row with ordinary stores rather than QImage::fill(),
    // which streams past the processor's caches for an image this large:
    // the picture then stays in the cache, where the game's dots go next
    // (after a streamed fill, setting them took twice as long).
    const QRgb background = colourFromPacked(m_backColour, palette()).rgb();
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

void Canvas::setWidePoint(double x, double y)
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

void Canvas::circle(double x, double y, double radius, quint32 outlineColour)
{
    // The radius is measured in horizontal units, so the circle stays round.
    const QPointF centre = logicalOf(x, y);
    const double r = radius * logicalPixelsPerUnitX();
    {
        QPainter painter(&m_image);
        QPen pen(colourFromPacked(outlineColour, palette()));
        pen.setWidthF(m_drawWidth * m_layoutScale);
        painter.setPen(pen);
        if (m_fillStyle == FillStyle::Solid)
            painter.setBrush(colourFromPacked(m_fillColour, palette()));
        painter.drawEllipse(centre, r, r);
    }
    m_pixels = m_image.bits();
    const double reach = r + m_drawWidth * m_layoutScale;
    markDirty(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach));
}

void Canvas::filledBox(double x1, double y1, double x2, double y2, quint32 colour)
{
    // Whole pixels, both corners' pixels included, as a dot there would set them.
    const QPointF a = logicalOf(x1, y1);
    const QPointF b = logicalOf(x2, y2);
    const QRectF box(QPointF(std::floor(std::min(a.x(), b.x())), std::floor(std::min(a.y(), b.y()))),
                     QPointF(std::floor(std::max(a.x(), b.x())) + 1, std::floor(std::max(a.y(), b.y())) + 1));
    {
        QPainter painter(&m_image);
        painter.fillRect(box, colourFromPacked(colour, palette()));
    }
    m_pixels = m_image.bits();
    markDirty(box);
    m_text.paintOver(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
}

void Canvas::printLine(const QString &text)
{
    print(text, true);
}

void Canvas::printContinuing(const QString &text)
{
    print(text, false);
}

void Canvas::print(const QString &text, bool endLine)
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

    emit printed(text, QPointF(m_currentX, m_currentY), font, endLine);

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
        m_currentY += QFontMetricsF(font, this).lineSpacing() * m_layoutScale * unitsPerPixelY;
    } else {
        m_currentX += advance * unitsPerPixelX;
    }
}

// ---------------------------------------------------------------------------
// Drawing state

void Canvas::setCurrentPosition(double x, double y)
{
    m_currentX = x;
    m_currentY = y;
}

void Canvas::setFontName(const QString &name)
{
    m_fontName = name;
}

void Canvas::setFontSize(double points)
{
    m_fontSize = points;
}

void Canvas::setFontBold(bool bold)
{
    m_fontBold = bold;
}

void Canvas::setFontItalic(bool italic)
{
    m_fontItalic = italic;
}

void Canvas::setDrawWidth(int pixels)
{
    m_drawWidth = std::max(1, pixels);
}

QFont Canvas::currentFont() const
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

// ---------------------------------------------------------------------------
// Presentation

void Canvas::presentIfDue()
{
    if (m_sincePresent.elapsed() >= kPresentIntervalMs)
        present();
}

QRect Canvas::takeDirtyArea()
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

void Canvas::present()
{
    const QRect dirty = takeDirtyArea();
    if (!dirty.isEmpty() && isVisible())
        repaint(dirty.translated(interior().topLeft()));
    // Everything waiting is handled, user input included: the window's owner
    // decides what input does while a mode draws (the main window holds it back).
    QCoreApplication::processEvents();
    m_sincePresent.restart();
}

void Canvas::showDrawing()
{
    const QRect dirty = takeDirtyArea();
    if (!dirty.isEmpty())
        update(dirty.translated(interior().topLeft()));
}

// ---------------------------------------------------------------------------
// Text for assistive technology

void Canvas::announceText()
{
    const QString text = m_text.text();
    if (text == m_accessibleText)
        return;
    const QString before = std::exchange(m_accessibleText, text);
    CanvasAccessible::announceChange(this, before, text);
    emit accessibleTextChanged(text);
}

// ---------------------------------------------------------------------------
// Widget events

bool Canvas::event(QEvent *event)
{
    // On another screen the device pixel ratio may differ: the image follows.
    if (event->type() == QEvent::ScreenChangeInternal)
        fitImage();
    return QWidget::event(event);
}

void Canvas::resizeEvent(QResizeEvent *event)
{
    fitImage();
    QWidget::resizeEvent(event);
}

void Canvas::paintEvent(QPaintEvent *event)
{
    // Should the device pixel ratio have changed unannounced, fit the image first.
    if (m_image.devicePixelRatio() != devicePixelRatioF())
        fitImage();

    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(interior().topLeft(), m_image);

    // A sunken frame, drawn in the highlight colour while the canvas has the focus.
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.frameShape = QFrame::Panel;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = kBorder;
    frame.midLineWidth = 0;
    style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
    if (hasFocus()) {
        // The frame's outermost pixel, filled rather than stroked: a stroked
        // line straddles its pixel and, at a fractional device pixel ratio,
        // spills onto the picture.
        const QColor highlight = palette().color(QPalette::Highlight);
        const QRect r = rect();
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), highlight);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), highlight);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), highlight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), highlight);
    }
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_primaryPressed = true;
    QWidget::mousePressEvent(event);
}

void Canvas::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the primary button on the canvas.
    const bool wasPressed = m_primaryPressed;
    if (event->button() == Qt::LeftButton)
        m_primaryPressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

void Canvas::keyPressEvent(QKeyEvent *event)
{
    // One activation per press: holding the key down does not repeat it.
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const int key = event->key();
    if (!plain || (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        emit activatedByKey();
}

void Canvas::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        refreshColours();
    QWidget::changeEvent(event);
}

void Canvas::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void Canvas::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}
