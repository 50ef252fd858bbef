// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>

#include "picture/picture.h"

// A picture being drawn while something shows it: the drawing operations
// of the Picture, passed on, plus the pace at which what was drawn is
// shown. While points are being set the easel presents the picture about
// 60 times a second (see present()), so that a figure drawn in one go shows
// as it grows. How the picture is shown is left to what shows it (the
// canvas widget): the modes draw on an easel and never need a window.
class Easel
{
public:
    using FillStyle = Picture::FillStyle;

    Easel() { m_sincePresent.start(); }
    Easel(const Easel &) = delete;
    Easel &operator=(const Easel &) = delete;
    virtual ~Easel() = default;

    // The drawing surface. Drawing on it directly presents nothing:
    // showDrawing() schedules what was drawn for the next repaint.
    Picture &surface() { return m_picture; }
    const Picture &surface() const { return m_picture; }

    // Gives the interior's top-left corner the user coordinates (left, top)
    // and its bottom-right corner (right, bottom).
    void setScale(double left, double top, double right, double bottom)
    {
        m_picture.setScale(left, top, right, bottom);
    }

    // The factor by which the layout around the picture is scaled. Printed
    // text and the widths of wide dots and outlines follow it, so that they
    // keep their size relative to the picture; a dot at draw width 1 stays
    // one device pixel.
    double layoutScale() const { return m_picture.layoutScale(); }
    void setLayoutScale(double factor) { m_picture.setLayoutScale(factor); }

    // Drawing.
    void clear() { m_picture.clear(); }
    void setPoint(double x, double y);
    // Sets `count` dots along a path: the first at step(from), each next
    // one at step(the point before). Returns the last point (`from` when
    // `count` is 0). The same dots, presentations and clipping as that many
    // calls of setPoint(), but run in stretches that make no call out of the
    // loop, so that the point stays in registers. `step` must not touch the
    // easel. A point is anything with .x and .y.
    template <typename Point, typename Step>
    Point setPoints(long count, Point from, Step step);
    void circle(double x, double y, double radius, quint32 outlineColour)
    {
        m_picture.circle(x, y, radius, outlineColour);
    }
    void filledBox(double x1, double y1, double x2, double y2, quint32 colour)
    {
        m_picture.filledBox(x1, y1, x2, y2, colour);
    }
    void printLine(const QString &text = QString()) { print(text, true); }
    void printContinuing(const QString &text) { print(text, false); }

    // Drawing state.
    double currentX() const { return m_picture.currentX(); }
    double currentY() const { return m_picture.currentY(); }
    void setCurrentPosition(double x, double y) { m_picture.setCurrentPosition(x, y); }
    QString fontName() const { return m_picture.fontName(); }
    void setFontName(const QString &name) { m_picture.setFontName(name); }
    double fontSize() const { return m_picture.fontSize(); }
    void setFontSize(double points) { m_picture.setFontSize(points); }
    bool fontBold() const { return m_picture.fontBold(); }
    void setFontBold(bool bold) { m_picture.setFontBold(bold); }
    bool fontItalic() const { return m_picture.fontItalic(); }
    void setFontItalic(bool italic) { m_picture.setFontItalic(italic); }
    int drawWidth() const { return m_picture.drawWidth(); }
    void setDrawWidth(int pixels) { m_picture.setDrawWidth(pixels); }
    FillStyle fillStyle() const { return m_picture.fillStyle(); }
    void setFillStyle(FillStyle style) { m_picture.setFillStyle(style); }
    quint32 fillColour() const { return m_picture.fillColour(); }
    void setFillColour(quint32 packed) { m_picture.setFillColour(packed); }
    quint32 foreColour() const { return m_picture.foreColour(); }
    quint32 backColour() const { return m_picture.backColour(); }

    // The font that printing uses now, resolved from the drawing state.
    QFont currentFont() const { return m_picture.currentFont(); }

    // A copy of what is shown, at device pixels, and where a user point lands in it.
    QImage picture() const { return m_picture.copy(); }
    QPoint pixelOf(double x, double y) const { return m_picture.pixelOf(x, y); }
    QColor colourAt(double x, double y) const { return m_picture.colourAt(x, y); }
    // How many points have been set since the easel was made, clipped ones included.
    quint64 pointsSet() const { return m_picture.pointsSet(); }

    // Shows what was drawn since the last presentation at once.
    void present();
    // Schedules what was drawn for the next ordinary repaint; for the end of
    // a mode, or after drawing on the surface directly.
    void showDrawing();

    // The lines of text the picture shows now (see CanvasText).
    QStringList printedLines() const { return m_picture.text().lines(); }

protected:
    // Shows the area `dirty` of the picture (device pixels of the image):
    // at once when `now`, else at the next ordinary repaint.
    virtual void showArea(const QRect &dirty, bool now) = 0;
    // Text was printed at a user position in a font; `lineEnded` tells
    // whether the print ended the line.
    virtual void textPrinted(const QString & /*text*/, const QPointF & /*at*/, const QFont & /*font*/,
                             bool /*lineEnded*/)
    {
    }

    Picture m_picture;

private:
    // Dots set between looks at the clock: a few microseconds of drawing.
    static constexpr int kPointsBetweenClockChecks = 1024;
    // About 60 frames a second for a mode that draws without pausing; just
    // over the clock's 1/64 s tick, so that a mode that presents at every
    // tick (the triangle game) gets exactly one frame per tick.
    static constexpr int kPresentIntervalMs = 17;

    void print(const QString &text, bool endLine);
    void presentIfDue();

    QElapsedTimer m_sincePresent;
};

inline void Easel::setPoint(double x, double y)
{
    m_picture.setPoint(x, y);
    if (m_picture.pointsSet() % kPointsBetweenClockChecks == 0)
        presentIfDue();
}

template <typename Point, typename Step>
Point Easel::setPoints(long count, Point point, Step step)
{
    while (count > 0) {
        // Up to the next check of the clock, as setPoint() would make it.
        const long stretch =
            std::min<long>(count, kPointsBetweenClockChecks - m_picture.pointsSet() % kPointsBetweenClockChecks);
        point = m_picture.setPoints(stretch, point, step);
        count -= stretch;
        if (m_picture.pointsSet() % kPointsBetweenClockChecks == 0)
            presentIfDue();
    }
    return point;
}
