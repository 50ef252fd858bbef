// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "picture/picture.h"
#include "exploration/targets.h"

#include <QPointF>
#include <QWidget>

#include <optional>

// The Explorer's figure: a widget that shows a Picture filling it and
// decides which part of the figure's plane the picture shows. The mouse
// wheel zooms about the pointer, dragging pans, and zoomBy()/resetView()
// do the same from the keyboard; every change of the view is told by
// viewChanged(), after which the owner draws the figure again for the new
// view, so a zoomed view shows its part at full detail.
//
// The picture has one pixel per device pixel, or per 2 x 2 device pixels
// for dots of 2 pixels (a projector's): each picture pixel is shown as a
// square of that many device pixels.
class ExplorerView : public QWidget
{
    Q_OBJECT

public:
    explicit ExplorerView(QWidget *parent = nullptr);

    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }
    // The picture as shown, one pixel per device pixel.
    QImage shownImage() const;

    // The figure whose whole is the home view.
    void setTargets(const Targets &targets);
    void setDotSize(int pixels);
    int dotSize() const { return m_dotSize; }

    const FigureView &view() const { return m_view; }
    // Shows this part of the figure (fitted to the widget's proportions
    // about its centre), or the whole figure.
    void setView(const std::optional<FigureView> &view);
    bool showsWholeFigure() const { return m_home; }

    // Zooms in by `factor` (out when less than 1) keeping the figure's point
    // under `at` (widget coordinates) where it is. Refuses to go deeper than
    // double precision resolves, and further out than a few times the whole
    // figure; returns whether the view changed.
    bool zoomBy(double factor, QPointF at);
    // The same about the pointer when it is over the figure, else the middle.
    bool zoomAtPointer(double factor);
    void panBy(QPointF pixels);
    void resetView();

    // The figure's point at widget coordinates, and back.
    QPointF figurePointAt(QPointF at) const;
    QPointF widgetPointOf(QPointF figure) const;

    // A step to show over the figure: the walk moved from `from` towards
    // `target` and landed at `to`. Nothing is shown after clearStep().
    void showStep(QPointF from, QPointF to, QPointF target);
    void clearStep();
    bool showsStep() const { return m_step.has_value(); }

    // How many times the figure was painted since the view was made.
    quint64 presentations() const { return m_presentations; }

    QSize sizeHint() const override { return QSize(640, 560); }
    QSize minimumSizeHint() const override { return QSize(200, 200); }

signals:
    // The view or the picture's size changed: the picture is to be drawn anew.
    void viewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QSize picturePixels() const;
    void refit();
    void applyView(const FigureView &view);
    // The view moved within what can be shown: no wider than a few whole
    // figures, its middle near the figure, no finer than doubles resolve.
    FigureView withinLimits(const FigureView &view) const;

    struct Step
    {
        QPointF from, to, target;
    };

    Picture m_picture;
    Targets m_targets{3, false, false};
    FigureView m_view;
    bool m_home = true;
    int m_dotSize = 1;
    std::optional<Step> m_step;
    std::optional<QPointF> m_dragFrom;
    quint64 m_presentations = 0;
};
