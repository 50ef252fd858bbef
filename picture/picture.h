// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>

#include <limits>
#include <utility>

#include "picture/canvastext.h"
#include "picture/pixelmapping.h"
#include "picture/systemcolours.h"

// A drawing surface: an image, the user coordinates its corners have, and
// a small drawing state (current position, font, draw width, fill) that
// persists from one operation to the next. It draws dots, walks of dots,
// circles, boxes and text, all in user coordinates, and knows nothing of
// windows: the canvas widget shows one on the screen, and pictures made
// away from any window (an exploration's, say) are drawn the same way.
//
// The image has one pixel per device pixel of what shows it. When that
// changes size or device pixel ratio the picture is scaled to the new
// image (fitTo()); back at the size it was drawn at, with nothing drawn in
// between, it has its own pixels again.
class Picture
{
public:
    enum class FillStyle { Solid = 0, Transparent = 1 };

    // An empty picture; fitTo() gives it its size.
    Picture() = default;
    // A picture of this many pixels, at device pixel ratio 1, cleared to its background.
    explicit Picture(QSize pixels);

    // Gives the image this size in device pixels and this device pixel
    // ratio, fitting what was drawn to it. Returns whether the image changed.
    bool fitTo(QSize devicePixels, qreal devicePixelRatio);
    // The logical resolution of the screen the picture is shown on; text
    // sizes follow it. 96 dots per inch until told otherwise.
    void setLogicalDpi(int dpiX, int dpiY);
    // The palette that system colours (button face, button text) come from.
    void setPalette(const QPalette &palette);

    // Gives the image's top-left corner the user coordinates (left, top)
    // and its bottom-right corner (right, bottom).
    void setScale(double left, double top, double right, double bottom);
    PixelMapping mapping() const { return m_mapping; }

    // The factor by which the layout around the picture is scaled. Printed
    // text and the widths of wide dots and outlines follow it; a dot at
    // draw width 1 stays one device pixel.
    double layoutScale() const { return m_layoutScale; }
    void setLayoutScale(double factor);

    // Drawing.
    void clear();
    void setPoint(double x, double y);
    // Sets `count` dots along a path: the first at step(from), each next
    // one at step(the point before). Returns the last point (`from` when
    // `count` is 0). The same dots and clipping as that many calls of
    // setPoint(), in a loop that makes no call out of it, so that the point
    // stays in registers. `step` must not touch the picture. A point is
    // anything with .x and .y.
    template <typename Point, typename Step>
    Point setPoints(long count, Point from, Step &&step);
    // The same, each dot in its own colour: colourOf(point) at draw width
    // 1; wider dots take the foreground colour.
    template <typename Point, typename Step, typename ColourOf>
    Point setColouredPoints(long count, Point from, Step &&step, ColourOf colourOf);
    void circle(double x, double y, double radius, quint32 outlineColour);
    void filledBox(double x1, double y1, double x2, double y2, quint32 colour);
    void printLine(const QString &text = QString());
    void printContinuing(const QString &text);

    // Drawing state.
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void setCurrentPosition(double x, double y);
    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name) { m_fontName = name; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    bool fontBold() const { return m_fontBold; }
    void setFontBold(bool bold) { m_fontBold = bold; }
    bool fontItalic() const { return m_fontItalic; }
    void setFontItalic(bool italic) { m_fontItalic = italic; }
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels);
    FillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    quint32 fillColour() const { return m_fillColour; }
    void setFillColour(quint32 packed) { m_fillColour = packed; }
    quint32 foreColour() const { return m_foreColour; }
    void setForeColour(quint32 packed);
    quint32 backColour() const { return m_backColour; }
    void setBackColour(quint32 packed) { m_backColour = packed; }

    // The font that printing uses now, resolved from the drawing state.
    QFont currentFont() const;

    // The image drawn so far, to show it now: dots go straight into its
    // pixels, which a shallow copy would share, so keep copy() instead.
    const QImage &image() const { return m_image; }
    QImage copy() const { return m_image.copy(); }
    // Where a user point lands in the image, and the colour there.
    QPoint pixelOf(double x, double y) const;
    QColor colourAt(double x, double y) const;
    // How many points have been set since the picture was made, clipped ones included.
    quint64 pointsSet() const { return m_pointsSet; }
    // The lines of text the picture shows now.
    const CanvasText &text() const { return m_text; }

    // What changed since the last call, in logical pixels of the image;
    // empty when nothing did. Points set since then count as the whole image.
    QRect takeDirtyArea();

private:
    QPointF logicalOf(double x, double y) const;
    double logicalPixelsPerUnitX() const;
    bool drawnSinceFitted() const;
    void applyResolution();
    void markDirty(const QRectF &logicalRect);
    void setWidePoint(double x, double y);
    QColor colourOf(quint32 packed) const { return colourFromPacked(packed, m_palette); }
    void print(const QString &text, bool endLine);

    // Where a dot at draw width 1 goes in the image, and its colour.
    struct DotMapping
    {
        uchar *pixels;
        qsizetype bytesPerLine;
        PixelMapping map;
        QRgb colour;
        void set(double x, double y) const { set(x, y, colour); }
        void set(double x, double y, QRgb rgb) const
        {
            qsizetype column, row;
            if (map.find(x, y, column, row))
                reinterpret_cast<QRgb *>(pixels + row * bytesPerLine)[column] = rgb;
        }
    };
    DotMapping dotMapping() const { return {m_pixels, m_bytesPerLine, m_mapping, m_foreRgb}; }
    // The inner loops of setPoints() at draw width 1, kept out of line: with
    // no call in them and the mapping and the point in their own locals, the
    // compiler keeps them all in registers, and the image's stores cannot
    // make it read them again.
    template <typename Point, typename Step>
    Q_NEVER_INLINE static Point setPointsAlong(DotMapping dots, long count, Point point, Step &step)
    {
        for (long i = 0; i < count; ++i) {
            point = step(point);
            dots.set(point.x, point.y);
        }
        return point;
    }
    template <typename Point, typename Step, typename ColourOf>
    Q_NEVER_INLINE static Point setColouredPointsAlong(DotMapping dots, long count, Point point, Step &step,
                                                       ColourOf &colourOf)
    {
        for (long i = 0; i < count; ++i) {
            point = step(point);
            dots.set(point.x, point.y, colourOf(point));
        }
        return point;
    }

    // The picture. Nothing else keeps its pixels (copy() is a deep copy, and
    // fitting makes them the image's own), so the raw row pointer below
    // stays valid until the image is rebuilt or painted on, after which it
    // is fetched again.
    QImage m_image;
    uchar *m_pixels = nullptr;
    qsizetype m_bytesPerLine = 0;
    PixelMapping m_mapping;
    double m_scaleLeft = 0, m_scaleTop = 0, m_scaleRight = 1, m_scaleBottom = 1;
    double m_layoutScale = 1;
    int m_dpiX = 96, m_dpiY = 96;
    // A device at the screen's logical resolution, unscaled, for line heights.
    QImage m_screenResolution;
    QPalette m_palette;

    // The picture at the size it was last drawn at, for fitting it to another
    // size without losing detail to repeated scaling.
    QImage m_drawn;
    quint64 m_pointsWhenFitted = 0;
    bool m_paintedSinceFitted = false;

    double m_currentX = 0, m_currentY = 0;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    double m_fontSize = 8.25;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    int m_drawWidth = 1;
    FillStyle m_fillStyle = FillStyle::Transparent;
    quint32 m_fillColour = PackedColour::Black;
    quint32 m_foreColour = PackedColour::ButtonText;
    quint32 m_backColour = PackedColour::ButtonFace;
    QRgb m_foreRgb = 0;

    // Device-pixel bounds of what shapes and text drew since the dirty area
    // was last taken; points set since then count as the whole picture.
    int m_dirtyLeft = std::numeric_limits<int>::max(), m_dirtyTop = std::numeric_limits<int>::max();
    int m_dirtyRight = -1, m_dirtyBottom = -1;
    quint64 m_pointsSet = 0;
    quint64 m_pointsShown = 0;

    CanvasText m_text;
};

// Setting a point at draw width 1 is the hot path of every game: one store
// into the image and a count, no QPainter. Points do not track the area
// they touch; the dirty area is the whole picture when points were set.
inline void Picture::setPoint(double x, double y)
{
    if (m_drawWidth != 1)
        setWidePoint(x, y);
    else
        dotMapping().set(x, y);
    ++m_pointsSet;
}

template <typename Point, typename Step>
Point Picture::setPoints(long count, Point point, Step &&step)
{
    if (count <= 0)
        return point;
    if (m_drawWidth != 1) {
        for (long i = 0; i < count; ++i) {
            point = step(point);
            setWidePoint(point.x, point.y);
        }
    } else {
        point = setPointsAlong(dotMapping(), count, point, step);
    }
    m_pointsSet += quint64(count);
    return point;
}

template <typename Point, typename Step, typename ColourOf>
Point Picture::setColouredPoints(long count, Point point, Step &&step, ColourOf colourOf)
{
    if (count <= 0)
        return point;
    if (m_drawWidth != 1) {
        for (long i = 0; i < count; ++i) {
            point = step(point);
            setWidePoint(point.x, point.y);
        }
    } else {
        point = setColouredPointsAlong(dotMapping(), count, point, step, colourOf);
    }
    m_pointsSet += quint64(count);
    return point;
}
