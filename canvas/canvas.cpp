// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"

#include "canvas/canvasaccessible.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <utility>

Canvas::Canvas(const QSize &size, QWidget *parent) : QWidget(parent)
{
    // The frame lies outside the contents: a layout on the canvas places its
    // widgets on the interior.
    setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    resize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_picture.setPalette(palette());
    fitImage();
    CanvasAccessible::install();
}

QRect Canvas::interior() const
{
    return contentsRect();
}

void Canvas::fitImage()
{
    // Text sizes follow the screen's logical resolution, which may have
    // changed even where the size did not.
    m_picture.setLogicalDpi(logicalDpiX(), logicalDpiY());
    const qreal ratio = devicePixelRatioF();
    if (m_picture.fitTo(interior().size().expandedTo(QSize(1, 1)) * ratio, ratio))
        update();
}

void Canvas::textPrinted(const QString &text, const QPointF &at, const QFont &font, bool lineEnded)
{
    emit printed(text, at, font, lineEnded);
}

// ---------------------------------------------------------------------------
// Presentation

void Canvas::showArea(const QRect &dirty, bool now)
{
    if (!now)
        update(dirty.translated(interior().topLeft()));
    else if (isVisible())
        repaint(dirty.translated(interior().topLeft()));
}

// ---------------------------------------------------------------------------
// Text for assistive technology

void Canvas::announceText()
{
    const QString text = m_picture.text().text();
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
    if (m_picture.image().devicePixelRatio() != devicePixelRatioF())
        fitImage();

    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.drawImage(interior().topLeft(), m_picture.image());

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
        m_picture.setPalette(palette());
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
