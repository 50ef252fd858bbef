// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLayout>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <vector>

// Keeps widgets at places laid out in pixels for one size of area, scaled
// uniformly by the factor that fits that size into the area the layout has
// now, and centred in whatever is left over. At the size it was made for
// (factor 1) every widget stands exactly at its place.
//
// Only places scale here; whoever owns the layout scales fonts on
// factorChanged().
class ScaledLayout : public QLayout
{
    Q_OBJECT

public:
    // designSize is the size of area that the places are laid out for.
    ScaledLayout(const QSize &designSize, QWidget *parent);
    ~ScaledLayout() override;

    // Places widget, a child of the layout's widget, at place: a rectangle
    // in the layout's area as it is at factor 1.
    void addWidget(QWidget *widget, const QRect &place);

    double factor() const { return m_factor; }
    QSize designSize() const { return m_designSize; }

    // The largest factor at which designSize fits into available.
    static double fittingFactor(const QSize &designSize, const QSize &available);
    // A rectangle scaled by factor and moved by origin, its edges rounded
    // to whole pixels, so that places that share an edge at factor 1 still
    // share it.
    static QRect scaled(const QRect &place, double factor, const QPointF &origin = QPointF());

    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &area) override;
    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    Qt::Orientations expandingDirections() const override;

signals:
    void factorChanged(double factor);

private:
    struct Placed
    {
        QLayoutItem *item;
        QRect place;
    };

    QSize m_designSize;
    double m_factor = 1;
    std::vector<Placed> m_placed;
};
