// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <limits>

#include "canvas/canvastext.h"
#include "canvas/systemcolours.h"

// The picture area every mode draws on. It keeps its picture in an image of
// its interior, so the drawing survives being covered or minimised, and a
// small drawing state (current position, font, draw width, fill) that
// persists from one operation, and one mode, to the next.
//
// All operations take user coordinates; setScale() fixes which user
// coordinates the interior's corners have. A long mode keeps the window alive
// through the canvas: while points are being set, it presents the picture
// about 60 times a second (see present()).
//
// The image has one pixel per device pixel of the interior: a dot is one
// device pixel, so a larger canvas or a high-DPI screen shows a finer figure.
// When the canvas changes size or device pixel ratio the picture is scaled
// to the new image; back at the size it was drawn at, with nothing drawn in
// between, it shows its own pixels again.
class Canvas : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString accessibleText READ accessibleText NOTIFY accessibleTextChanged)

public:
    enum class FillStyle { Solid = 0, Transparent = 1 };

    // A canvas of this outer size, the frame included.
    explicit Canvas(const QSize &size, QWidget *parent = nullptr);

    // Gives the interior's top-left corner the user coordinates (left, top)
    // and its bottom-right corner (right, bottom).
    void setScale(double left, double top, double right, double bottom);

    // The factor by which the layout around the canvas is scaled. Printed
    // text and the widths of wide dots and outlines follow it, so that they
    // keep their size relative to the canvas; a dot at draw width 1 stays
    // one device pixel.
    double layoutScale() const { return m_layoutScale; }
    void setLayoutScale(double factor);

    // Drawing.
    void clear();
    void setPoint(double x, double y);
    // Sets `count` dots along a path: the first at step(from), each next
    // one at step(the point before). Returns the last point (`from` when
    // `count` is 0). The same dots, presentations and clipping as that many
    // calls of setPoint(), but run in stretches that make no call out of the
    // loop, so that the point stays in registers. `step` must not touch the
    // canvas. A point is anything with .x and .y.
    template <typename Point, typename Step>
    Point setPoints(long count, Point from, Step step);
    void circle(double x, double y, double radius, quint32 outlineColour);
    void filledBox(double x1, double y1, double x2, double y2, quint32 colour);
    void printLine(const QString &text = QString());
    void printContinuing(const QString &text);

    // Drawing state.
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void setCurrentPosition(double x, double y);
    QString fontName() const { return m_fontName; }
    void setFontName(const QString &name);
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool fontBold() const { return m_fontBold; }
    void setFontBold(bool bold);
    bool fontItalic() const { return m_fontItalic; }
    void setFontItalic(bool italic);
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels);
    FillStyle fillStyle() const { return m_fillStyle; }
    void setFillStyle(FillStyle style) { m_fillStyle = style; }
    quint32 fillColour() const { return m_fillColour; }
    void setFillColour(quint32 packed) { m_fillColour = packed; }
    quint32 foreColour() const { return m_foreColour; }
    quint32 backColour() const { return m_backColour; }

    // The font that printing uses now, resolved from the drawing state.
    QFont currentFont() const;

    // A copy of what the canvas shows, at device pixels, and where a user
    // point lands in it.
    QImage picture() const { return m_image.copy(); }
    QPoint pixelOf(double x, double y) const;
    QColor colourAt(double x, double y) const;
    // How many points have been set since the canvas was made, clipped ones included.
    quint64 pointsSet() const { return m_pointsSet; }

    // Shows what was drawn since the last presentation at once, then lets
    // Qt handle whatever waits: repaints, the window system's requests and
    // user input, which the window's owner may hold back for after the mode.
    void present();
    // Schedules what was drawn for the next ordinary repaint; for the end of a mode.
    void showDrawing();

    // The lines of text the canvas shows now (see CanvasText).
    QStringList printedLines() const { return m_text.lines(); }
    // The text as assistive technology reads it: the lines as they stood at
    // the last announceText().
    QString accessibleText() const { return m_accessibleText; }
    // Hands the text shown now to assistive technology, telling it that the
    // text changed when it did. For the end of a mode: not per print.
    void announceText();

signals:
    // A click of the primary mouse button on the canvas.
    void clicked();
    // Space, Enter or Return pressed while the canvas has the focus: the
    // keyboard's way to click it.
    void activatedByKey();
    // Text was printed at a user position in a font; lineEnded tells
    // whether the print ended the line. Empty lines are printed too.
    void printed(const QString &text, const QPointF &at, const QFont &font, bool lineEnded);
    // announceText() handed assistive technology a new text.
    void accessibleTextChanged(const QString &text);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    static constexpr int kBorder = 2;
    // Dots set between looks at the clock: a few microseconds of drawing.
    static constexpr int kPointsBetweenClockChecks = 1024;
    // About 60 frames a second for a mode that draws without pausing; just
    // over the clock's 1/64 s tick, so that a mode that presents at every
    // tick (the triangle game) gets exactly one frame per tick.
    static constexpr int kPresentIntervalMs = 17;

    QRect interior() const;
    QPointF logicalOf(double x, double y) const;
    double logicalPixelsPerUnitX() const;
    void fitImage();
    bool drawnSinceFitted() const;
    void applyResolution();
    void refreshColours();
    void markDirty(const QRectF &logicalRect);
    void setWidePoint(double x, double y);

    // Where a dot at draw width 1 goes in the picture, and its colour.
    struct DotMapping
    {
        uchar *pixels;
        qsizetype bytesPerLine;
        double left, top, perUnitX, perUnitY; // user units to image pixels
        double columns, rows;                 // the image's size, for clipping
        QRgb colour;
        void set(double x, double y) const;
    };
    DotMapping dotMapping() const;
    // The inner loop of setPoints() at draw width 1, kept out of line: with
    // no call in it and the mapping and the point in its own locals, the
    // compiler keeps them all in registers, and the picture's stores cannot
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
    void print(const QString &text, bool endLine);
    void presentIfDue();
    QRect takeDirtyArea(); // in logical pixels of the interior; empty when nothing changed

    // The picture. Nothing else ever shares its pixels (picture() hands out a
    // deep copy, and fitting makes them the image's own), so the raw row
    // pointer below stays valid until the image is rebuilt or painted on,
    // after which it is fetched again.
    QImage m_image;
    uchar *m_pixels = nullptr;
    qsizetype m_bytesPerLine = 0;
    double m_columns = 0, m_rows = 0; // the image's size, for clipping
    double m_scaleLeft = 0, m_scaleTop = 0, m_scaleRight = 1, m_scaleBottom = 1;
    double m_devicePerUnitX = 1, m_devicePerUnitY = 1; // image pixels per user unit
    double m_layoutScale = 1;

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

    // Device-pixel bounds of what shapes and text drew since the last
    // presentation; points set since then count as the whole picture.
    int m_dirtyLeft = std::numeric_limits<int>::max(), m_dirtyTop = std::numeric_limits<int>::max();
    int m_dirtyRight = -1, m_dirtyBottom = -1;
    QElapsedTimer m_sincePresent;
    quint64 m_pointsSet = 0;
    quint64 m_pointsShown = 0;
    bool m_primaryPressed = false;

    CanvasText m_text;
    QString m_accessibleText;
};

// Setting a point at draw width 1 is the hot path of every game: one store
// into the image and a count, no QPainter. Points do not track the area
// they touch; a presentation shows the whole picture when points were set.
inline void Canvas::setPoint(double x, double y)
{
    if (m_drawWidth != 1)
        setWidePoint(x, y);
    else
        dotMapping().set(x, y);
    if (++m_pointsSet % kPointsBetweenClockChecks == 0)
        presentIfDue();
}

inline Canvas::DotMapping Canvas::dotMapping() const
{
    return {m_pixels, m_bytesPerLine, m_scaleLeft, m_scaleTop, m_devicePerUnitX, m_devicePerUnitY,
            m_columns,  m_rows,         m_foreRgb};
}

inline void Canvas::DotMapping::set(double x, double y) const
{
    const double column = (x - left) * perUnitX;
    const double row = (y - top) * perUnitY;
    // Written so that NaN fails the test too: clipped silently.
    if (column >= 0 && column < columns && row >= 0 && row < rows) {
        const qsizetype c = static_cast<qsizetype>(column);
        const qsizetype r = static_cast<qsizetype>(row);
        reinterpret_cast<QRgb *>(pixels + r * bytesPerLine)[c] = colour;
    }
}

template <typename Point, typename Step>
Point Canvas::setPoints(long count, Point point, Step step)
{
    while (count > 0) {
        // Up to the next check of the clock, as setPoint() would make it.
        const long stretch = std::min<long>(count, kPointsBetweenClockChecks - m_pointsSet % kPointsBetweenClockChecks);
        if (m_drawWidth != 1) {
            for (long i = 0; i < stretch; ++i) {
                point = step(point);
                setWidePoint(point.x, point.y);
            }
        } else {
            point = setPointsAlong(dotMapping(), stretch, point, step);
        }
        count -= stretch;
        m_pointsSet += quint64(stretch);
        if (m_pointsSet % kPointsBetweenClockChecks == 0)
            presentIfDue();
    }
    return point;
}
