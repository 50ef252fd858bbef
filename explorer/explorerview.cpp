// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorerview.h"

#include "exploration/explorationfile.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// One notch of the wheel zooms by half as much again.
constexpr double kWheelFactor = 1.5;
// A picture pixel must span more than this many units in the last place of
// the view's coordinates, or neighbouring pixels could not be told apart.
constexpr double kFinestPixel = 4 * std::numeric_limits<double>::epsilon();
// Zoomed out, the view is at most this many times as wide and high as the
// whole figure's, and its middle no farther from the figure's middle than
// that view's half-width: the figure is never lost from sight.
constexpr double kWidestZoomOut = 4;

} // namespace

FigureView ExplorerView::withinLimits(const FigureView &view) const
{
    const QSize pixels = picturePixels();
    const FigureView home = m_targets.wholeFigure(pixels);
    if (!std::isfinite(view.left) || !std::isfinite(view.right) || !std::isfinite(view.top)
        || !std::isfinite(view.bottom) || !view.isValid() || !std::isfinite(view.width())
        || !std::isfinite(view.height()))
        return home;
    const double homeX = home.left + home.width() / 2, homeY = home.bottom + home.height() / 2;
    const double reach = kWidestZoomOut * std::max(home.width(), home.height()) / 2;
    const double x = std::clamp(view.left + view.width() / 2, homeX - reach, homeX + reach);
    const double y = std::clamp(view.bottom + view.height() / 2, homeY - reach, homeY + reach);
    const double magnitude = std::max({1.0, std::abs(x), std::abs(y)});
    const double perPixel = std::clamp(std::max(view.width() / pixels.width(), view.height() / pixels.height()),
                                       kFinestPixel * magnitude * 1.01, kWidestZoomOut * home.width() / pixels.width());
    const double halfWidth = perPixel * pixels.width() / 2, halfHeight = perPixel * pixels.height() / 2;
    return {x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight};
}

ExplorerView::ExplorerView(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ExplorerView::picturePixels() const
{
    const QSize device = (QSizeF(size()) * devicePixelRatioF()).toSize();
    return QSize(std::max(1, device.width() / m_dotSize), std::max(1, device.height() / m_dotSize));
}

QImage ExplorerView::shownImage() const
{
    const QImage &image = m_picture.image();
    if (m_dotSize == 1)
        return image.copy();
    return image.scaled(image.size() * m_dotSize, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void ExplorerView::setTargets(const Targets &targets)
{
    m_targets = targets;
    if (m_home)
        applyView(m_targets.wholeFigure(picturePixels()));
}

void ExplorerView::setDotSize(int pixels)
{
    if (pixels == m_dotSize)
        return;
    m_dotSize = std::clamp(pixels, 1, 2);
    refit();
}

void ExplorerView::setView(const std::optional<FigureView> &view)
{
    m_home = !view || !view->isValid();
    applyView(m_home ? m_targets.wholeFigure(picturePixels()) : withinLimits(viewFittedTo(*view, picturePixels())));
}

void ExplorerView::applyView(const FigureView &view)
{
    m_view = view;
    const QSize pixels = picturePixels();
    if (m_picture.image().size() != pixels)
        m_picture = Picture(pixels);
    m_picture.setScale(view.left, view.top, view.right, view.bottom);
    m_step.reset();
    emit viewChanged();
    update();
}

void ExplorerView::refit()
{
    if (m_home) {
        applyView(m_targets.wholeFigure(picturePixels()));
        return;
    }
    // Keeps the middle of the view and the size of a pixel in the figure.
    const QSize before = m_picture.image().size();
    const double perPixel = before.isEmpty() ? m_view.width() / picturePixels().width()
                                             : m_view.width() / before.width();
    const QSize pixels = picturePixels();
    const double x = m_view.left + m_view.width() / 2, y = m_view.bottom + m_view.height() / 2;
    const double halfWidth = perPixel * pixels.width() / 2, halfHeight = perPixel * pixels.height() / 2;
    applyView({x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight});
}

QPointF ExplorerView::figurePointAt(QPointF at) const
{
    return {m_view.left + at.x() / std::max(1, width()) * m_view.width(),
            m_view.top - at.y() / std::max(1, height()) * m_view.height()};
}

QPointF ExplorerView::widgetPointOf(QPointF figure) const
{
    return {(figure.x() - m_view.left) / m_view.width() * width(),
            (m_view.top - figure.y()) / m_view.height() * height()};
}

bool ExplorerView::zoomBy(double factor, QPointF at)
{
    if (!(factor > 0) || factor == 1)
        return false;
    const QPointF fixed = figurePointAt(at);
    const double newWidth = m_view.width() / factor, newHeight = m_view.height() / factor;
    const double magnitude = std::max({1.0, std::abs(fixed.x()), std::abs(fixed.y())});
    const int pixelsAcross = std::max(picturePixels().width(), picturePixels().height());
    if (factor > 1 && std::max(newWidth, newHeight) / pixelsAcross < kFinestPixel * magnitude)
        return false;
    const double widest = kWidestZoomOut * m_targets.wholeFigure(picturePixels()).width();
    if (factor < 1 && m_view.width() >= widest * (1 - 1e-9))
        return false;
    const double fx = at.x() / std::max(1, width()), fy = at.y() / std::max(1, height());
    const double left = fixed.x() - fx * newWidth, top = fixed.y() + fy * newHeight;
    m_home = false;
    applyView(withinLimits({left, top, left + newWidth, top - newHeight}));
    return true;
}

bool ExplorerView::zoomAtPointer(double factor)
{
    const QPointF pointer = mapFromGlobal(QCursor::pos());
    return zoomBy(factor, rect().contains(pointer.toPoint()) ? pointer : QPointF(rect().center()));
}

void ExplorerView::panBy(QPointF pixels)
{
    if (pixels.isNull())
        return;
    const double dx = pixels.x() / std::max(1, width()) * m_view.width();
    const double dy = pixels.y() / std::max(1, height()) * m_view.height();
    m_home = false;
    applyView(withinLimits({m_view.left - dx, m_view.top + dy, m_view.right - dx, m_view.bottom + dy}));
}

void ExplorerView::resetView()
{
    setView(std::nullopt);
}

void ExplorerView::showStep(QPointF from, QPointF to, QPointF target)
{
    m_step = Step{from, to, target};
    update();
}

void ExplorerView::clearStep()
{
    if (m_step) {
        m_step.reset();
        update();
    }
}

void ExplorerView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Each picture pixel becomes a sharp square of device pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(m_picture.image().size()) * m_dotSize / devicePixelRatioF()),
                      m_picture.image());
    if (m_step) {
        // The move of the last step: a faint line to the target, and an
        // arrow from the old point to the new one.
        painter.setRenderHint(QPainter::Antialiasing);
        const QPointF from = widgetPointOf(m_step->from), to = widgetPointOf(m_step->to);
        const QPointF target = widgetPointOf(m_step->target);
        const QColor ink = palette().color(QPalette::Highlight);
        painter.setPen(QPen(ink, 1, Qt::DashLine));
        painter.drawLine(to, target);
        painter.setPen(QPen(ink, 2));
        painter.drawLine(from, to);
        const QPointF along = to - from;
        const double length = std::hypot(along.x(), along.y());
        if (length > 1) {
            const QPointF unit = along / length, across(-unit.y(), unit.x());
            const double head = std::min(10.0, length / 2);
            QPainterPath arrowHead;
            arrowHead.moveTo(to);
            arrowHead.lineTo(to - unit * head + across * head / 2);
            arrowHead.lineTo(to - unit * head - across * head / 2);
            arrowHead.closeSubpath();
            painter.fillPath(arrowHead, ink);
        }
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(from, 4, 4);
    }
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
    ++m_presentations;
}

void ExplorerView::resizeEvent(QResizeEvent *)
{
    refit();
}

void ExplorerView::wheelEvent(QWheelEvent *event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomBy(std::pow(kWheelFactor, notches), event->position());
    event->accept();
}

void ExplorerView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        setCursor(Qt::ClosedHandCursor);
    }
    QWidget::mousePressEvent(event);
}

void ExplorerView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        panBy(event->position() - *m_dragFrom);
        m_dragFrom = event->position();
    }
}

void ExplorerView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragFrom.reset();
        setCursor(Qt::OpenHandCursor);
    }
}
