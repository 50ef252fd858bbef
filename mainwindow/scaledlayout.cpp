// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/scaledlayout.h"

#include <QWidget>

#include <algorithm>

namespace {

// Below a quarter of its size no text of a layout could be read; the
// layout asks for at least that much room.
constexpr double kSmallestFactor = 0.25;

} // namespace

ScaledLayout::ScaledLayout(const QSize &designSize, QWidget *parent)
    : QLayout(parent)
    , m_designSize(designSize)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

ScaledLayout::~ScaledLayout()
{
    for (const Placed &placed : m_placed)
        delete placed.item;
}

void ScaledLayout::addWidget(QWidget *widget, const QRect &place)
{
    addChildWidget(widget);
    m_placed.push_back({new QWidgetItem(widget), place});
    invalidate();
}

void ScaledLayout::addItem(QLayoutItem *item)
{
    // An item added without a place keeps the one it has now.
    m_placed.push_back({item, item->geometry()});
    invalidate();
}

double ScaledLayout::fittingFactor(const QSize &designSize, const QSize &available)
{
    if (designSize.isEmpty())
        return 1;
    return std::min(double(available.width()) / designSize.width(),
                    double(available.height()) / designSize.height());
}

QRect ScaledLayout::scaled(const QRect &place, double factor, const QPointF &origin)
{
    const int left = qRound(origin.x() + place.x() * factor);
    const int top = qRound(origin.y() + place.y() * factor);
    const int right = qRound(origin.x() + (place.x() + place.width()) * factor);
    const int bottom = qRound(origin.y() + (place.y() + place.height()) * factor);
    return QRect(left, top, right - left, bottom - top);
}

QSize ScaledLayout::sizeHint() const
{
    return m_designSize;
}

QSize ScaledLayout::minimumSize() const
{
    return (QSizeF(m_designSize) * kSmallestFactor).toSize();
}

Qt::Orientations ScaledLayout::expandingDirections() const
{
    return Qt::Horizontal | Qt::Vertical;
}

void ScaledLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    const double factor = std::max(fittingFactor(m_designSize, area.size()), kSmallestFactor);
    const QSizeF spare = QSizeF(area.size()) - QSizeF(m_designSize) * factor;
    const QPointF origin = QPointF(area.topLeft()) + QPointF(spare.width() / 2, spare.height() / 2);

    // Fonts follow the factor before the widgets take their new places, so
    // that each widget is laid out once, with the font it keeps.
    if (factor != m_factor) {
        m_factor = factor;
        emit factorChanged(factor);
    }
    for (const Placed &placed : m_placed) {
        const QRect place = scaled(placed.place, factor, origin);
        // Set directly: a widget item would bend the place to the widget's
        // size policy (a push button keeps the height of its size hint).
        if (QWidget *widget = placed.item->widget())
            widget->setGeometry(place);
        else
            placed.item->setGeometry(place);
    }
}

QLayoutItem *ScaledLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? m_placed[std::size_t(index)].item : nullptr;
}

QLayoutItem *ScaledLayout::takeAt(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QLayoutItem *item = m_placed[std::size_t(index)].item;
    m_placed.erase(m_placed.begin() + index);
    invalidate();
    return item;
}

int ScaledLayout::count() const
{
    return int(m_placed.size());
}
