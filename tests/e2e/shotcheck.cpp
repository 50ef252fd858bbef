// SPDX-License-Identifier: GPL-3.0-or-later
// Reads a screenshot of the running program and checks what its canvas shows.
//
//   shotcheck CHECK SHOT.png LEFT TOP [WIDTH HEIGHT]
//
// LEFT and TOP are the screen position of the canvas's interior, WIDTH and
// HEIGHT its size in screen pixels (957 x 653 unless given; user
// coordinates x 0..1000 left to right, y 0..750 bottom to top), or for the
// splash check those of the start-up window's client area (535 x 338).
// Exits 0 when the check holds; otherwise prints why and exits 1.
//
//   shotcheck layout CLIENT_WIDTH CLIENT_HEIGHT DEVICE_PIXEL_RATIO
//
// prints where the main window's layout puts the canvas's interior in a
// client area of that size in screen pixels, "LEFT TOP WIDTH HEIGHT" from
// the client area's corner, and the layout's scale.
//
//   shotcheck buttons SHOT.png CLIENT_LEFT CLIENT_TOP CLIENT_WIDTH CLIENT_HEIGHT DEVICE_PIXEL_RATIO [MIN_HEIGHT]
//
// checks that the seven buttons stand where the layout puts them, each
// with its caption whole and at least MIN_HEIGHT screen pixels tall (7,
// enough to read, unless given).

#include <QImage>
#include <QRectF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Shot
{
    QImage image;
    QPoint interior;
    QSize size{957, 653};
    QRgb background = 0;

    QPoint pixelOf(double x, double y) const
    {
        return interior + QPoint(int(x * size.width() / 1000), int((750 - y) * size.height() / 750));
    }

    // Pixels that differ from the background between two user points.
    int drawnBetween(double x1, double y1, double x2, double y2) const
    {
        const QRect area = QRect(pixelOf(x1, y1), pixelOf(x2, y2)).normalized();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) != background;
        return count;
    }

    // The games start from a random point, which is not plotted, and their
    // first dot or two may land anywhere on the way to the figure: a hole
    // that is to stay empty may hold up to two dots, at the size a dot
    // shows at on this screen.
    int strayDots() const
    {
        const int dotSide = std::max(1, int(std::ceil(size.width() / 957.0)));
        return 2 * dotSide * dotSide;
    }
};

bool check(bool condition, const char *what)
{
    if (!condition)
        std::fprintf(stderr, "shotcheck: %s\n", what);
    return condition;
}

bool empty(const Shot &shot)
{
    return check(shot.drawnBetween(0, 750, 999.9, 0.1) == 0, "the canvas is not empty");
}

bool triangle(const Shot &shot)
{
    // Dots at the corners of the triangle's table: the apex at x = 475, not 500.
    return check(shot.drawnBetween(468, 725, 482, 715) > 3, "no dots at the apex (475, 725)")
        && check(shot.drawnBetween(50, 60, 62, 50) > 3, "no dots at the bottom left corner (50, 50)")
        && check(shot.drawnBetween(938, 60, 950, 50) > 3, "no dots at the bottom right corner (950, 50)")
        && check(shot.drawnBetween(497, 724, 503, 721) <= shot.strayDots(), "dots at (500, 725), right of the apex")
        // The big middle hole stays empty.
        && check(shot.drawnBetween(450, 340, 530, 200) <= shot.strayDots(), "dots in the triangle's middle hole")
        // Dots fill the sides densely.
        && check(shot.drawnBetween(100, 100, 300, 60) > 500, "too few dots along the base");
}

// The fractional game at 0.5: its own triangle, (500, 725), (50, 50), (975, 50).
bool fractional(const Shot &shot)
{
    return check(shot.drawnBetween(493, 725, 507, 715) > 3, "no dots at the apex (500, 725)")
        && check(shot.drawnBetween(963, 60, 975, 50) > 3, "no dots at the bottom right corner (975, 50)")
        && check(shot.drawnBetween(470, 725, 478, 715) <= shot.strayDots(), "dots at (475, 725), left of the apex")
        && check(shot.drawnBetween(480, 340, 540, 200) <= shot.strayDots(), "dots in the triangle's middle hole")
        && check(shot.drawnBetween(650, 30, 720, 18) > 20, "no \"Complete\" at (650, 30)");
}

// The canvas cleared behind the fraction's box after a triangle game: none
// of the triangle's dots at its corners and along its base, where the box
// does not reach.
bool cleared(const Shot &shot)
{
    return check(shot.drawnBetween(40, 70, 300, 45) == 0, "the old figure shows at the bottom left")
        && check(shot.drawnBetween(700, 70, 960, 45) == 0, "the old figure shows at the bottom right")
        && check(shot.drawnBetween(440, 730, 510, 690) == 0, "the old figure shows at the apex");
}

// The fractional game at a fraction well below one half (0.3): the three
// shrunken copies overlap, so the figure is a filled triangle, its middle dotted too.
bool filled(const Shot &shot)
{
    return check(shot.drawnBetween(480, 340, 540, 200) > 500, "the triangle's middle is not filled")
        && check(shot.drawnBetween(650, 30, 720, 18) > 20, "no \"Complete\" at (650, 30)");
}

// The tracked game's board after three steps: three black step dots, told
// from the corner labels' glyphs by their size, outside the instruction area.
bool threeSteps(const Shot &shot)
{
    const QRect canvas(shot.interior, QSize(957, 653));
    const QRect instructions = QRect(shot.pixelOf(690, 710), shot.pixelOf(910, 490)).normalized();
    QImage seen(canvas.size(), QImage::Format_Mono);
    seen.fill(0);
    int dots = 0;
    for (int y = canvas.top(); y <= canvas.bottom(); ++y) {
        for (int x = canvas.left(); x <= canvas.right(); ++x) {
            const QPoint start(x, y);
            if (seen.pixelIndex(start - canvas.topLeft()) || qGray(shot.image.pixel(start)) > 40
                || instructions.contains(start))
                continue;
            // The size of this dark patch, by a flood fill.
            int size = 0;
            std::vector<QPoint> todo{start};
            seen.setPixel(start - canvas.topLeft(), 1);
            while (!todo.empty()) {
                const QPoint p = todo.back();
                todo.pop_back();
                ++size;
                for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next = p + step;
                    if (canvas.contains(next) && !seen.pixelIndex(next - canvas.topLeft())
                        && qGray(shot.image.pixel(next)) <= 40) {
                        seen.setPixel(next - canvas.topLeft(), 1);
                        todo.push_back(next);
                    }
                }
            }
            dots += size >= 30;
        }
    }
    std::fprintf(stderr, "shotcheck: %d step dots\n", dots);
    return check(dots == 3, "not three step dots on the board");
}

// Explanation page one: the title row, and "Screen 2" on the canvas.
bool pageOne(const Shot &shot)
{
    const double k = shot.size.width() / 957.0;
    const QRect screen2 = QRectF(824 * k, 600 * k, 89 * k, 33 * k).toRect().translated(shot.interior);
    int buttonPixels = 0;
    for (int y = screen2.top() + 3; y < screen2.bottom() - 3; ++y)
        buttonPixels += shot.image.pixel(screen2.left(), y) != shot.background;
    return check(shot.drawnBetween(350, 735, 650, 705) > 200, "no title \"The Chaos Game\" on page one")
        && check(shot.drawnBetween(2, 700, 600, 300) > 3000, "too little text on page one")
        && check(buttonPixels > 10, "no \"Screen 2\" button on the canvas");
}

// Explanation page two: the heading row, and no "Screen 2".
bool pageTwo(const Shot &shot)
{
    return check(shot.drawnBetween(300, 620, 700, 590) > 200, "no heading on page two")
        && check(shot.drawnBetween(2, 730, 999, 705) == 0, "page two does not start at y = 700")
        && check(shot.drawnBetween(860, 90, 950, 50) == 0, "\"Screen 2\" still shows");
}

// The start-up window, LEFT TOP being its client area: the title and the
// resolution note inside the box, nothing in the margin.
bool splash(const Shot &shot)
{
    const double k = shot.size.width() / 535.0;
    const auto at = [k](int x, int y, int w, int h) { return QRectF(x * k, y * k, w * k, h * k).toRect(); };
    const QPoint box = shot.interior + at(10, 4, 0, 0).topLeft();
    auto drawnIn = [&](const QRect &area) {
        int count = 0;
        const QRgb face = shot.image.pixel(box + QPoint(5, 5));
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += shot.image.pixel(x, y) != face;
        return count;
    };
    const double area = k * k;
    return check(drawnIn(at(128, 72, 196, 29).translated(box)) > 300 * area, "no title on the start-up window")
        && check(drawnIn(at(136, 264, 305, 17).translated(box)) > 200 * area, "no resolution note")
        && check(drawnIn(at(208, 288, 121, 14).translated(box)) > 50 * area, "no click invitation")
        && check(drawnIn(at(2, 40, 6, 200).translated(shot.interior)) == 0, "something in the margin");
}

bool complete(const Shot &shot)
{
    return check(shot.drawnBetween(935, 145, 999, 132) > 20, "no \"Complete\" at (935, 145)");
}

// The square game's end: "Complete" below the square, at (330, 30).
bool squareComplete(const Shot &shot)
{
    return check(shot.drawnBetween(330, 30, 400, 18) > 20, "no \"Complete\" at (330, 30)");
}

// The main window's layout as the program should place it: made for a
// 1024 x 749 client area, scaled by the factor that fits it into the client
// area, and centred there.
struct Layout
{
    Layout(const QRect &client, double devicePixelRatio) : client(client), ratio(devicePixelRatio)
    {
        // Qt gives the window a whole number of logical pixels.
        const QSizeF logical = (QSizeF(client.size()) / ratio).toSize();
        scale = std::min(logical.width() / 1024, logical.height() / 749);
        origin = QPointF((logical.width() - 1024 * scale) / 2, (logical.height() - 749 * scale) / 2);
    }

    // Where a place of the layout at scale 1 lands, in screen pixels.
    QRectF place(const QRectF &atOne) const
    {
        const QRectF logical(origin + atOne.topLeft() * scale, atOne.size() * scale);
        return QRectF(QPointF(client.topLeft()) + logical.topLeft() * ratio, logical.size() * ratio);
    }

    // The canvas's interior, inside its 2-pixel frame: the canvas's edges
    // fall on whole logical pixels, the interior's on whole screen pixels.
    QRect interior() const
    {
        const double left = std::round(origin.x() + 32 * scale) + 2, right = std::round(origin.x() + 993 * scale) - 2;
        const double top = std::round(origin.y() + 16 * scale) + 2, bottom = std::round(origin.y() + 673 * scale) - 2;
        const QPoint topLeft(int(std::ceil(left * ratio)), int(std::ceil(top * ratio)));
        const QPoint bottomRight(int(std::floor(right * ratio)) - 1, int(std::floor(bottom * ratio)) - 1);
        return QRect(topLeft, bottomRight).translated(client.topLeft());
    }

    QRect client;
    double ratio;
    double scale;
    QPointF origin;
};

// The seven buttons where the layout puts them, each showing its face and
// a caption that stays clear of the button's edges (a caption cut off by
// its button runs up to them) and is tall enough to read.
bool buttons(const QImage &image, const Layout &layout, int minimumHeight)
{
    const struct { const char *name; QRectF atOne; } places[] = {
        {"Track the Chaos Game", {32, 696, 129, 25}},     {"Play Chaos Game", {184, 696, 113, 25}},
        {"Square Chaos Game", {320, 696, 121, 25}},       {"Hexagonal Chaos Game", {464, 696, 137, 25}},
        {"Fractional Chaos Game", {624, 696, 129, 25}},   {"Explain Chaos Theory", {776, 696, 121, 25}},
        {"Quit", {920, 696, 73, 25}},
    };
    auto dark = [](QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}) < 140; };
    auto grey = [](QRgb p) { return qGray(p); };
    const QRgb form = image.pixel(layout.place(QRectF(8, 8, 1, 1)).topLeft().toPoint());
    bool ok = check(qAbs(grey(form) - 192) <= 2, "the form around the layout is not light grey");
    for (const auto &button : places) {
        const QRect r = layout.place(button.atOne).toRect();
        // Inside the button's frame, which takes up to two pixels of each edge.
        const int edge = qRound(2 * layout.ratio) + 1;
        const QRect face = r.adjusted(edge, edge, -edge, -edge);
        // The caption's ink: dark, or for a disabled button (Quit in a
        // browser) the neutral grey of disabled text, looked for only when
        // there is no dark ink at all.
        auto captionBox = [&](auto ink) {
            QRect box;
            for (int y = face.top(); y <= face.bottom(); ++y)
                for (int x = face.left(); x <= face.right(); ++x)
                    if (ink(image.pixel(x, y)))
                        box |= QRect(x, y, 1, 1);
            return box;
        };
        auto greyed = [&](QRgb p) {
            return grey(p) < grey(form) + 5 && qAbs(qRed(p) - qGreen(p)) < 8 && qAbs(qGreen(p) - qBlue(p)) < 8;
        };
        int lighter = 0;
        for (int y = face.top(); y <= face.bottom(); ++y)
            for (int x = face.left(); x <= face.right(); ++x)
                lighter += grey(image.pixel(x, y)) > grey(form) + 15;
        QRect caption = captionBox(dark);
        if (caption.isEmpty())
            caption = captionBox(greyed);
        const int left = caption.isEmpty() ? face.right() + 1 : caption.left();
        const int right = caption.isEmpty() ? face.left() - 1 : caption.right();
        const int top = caption.top(), bottom = caption.bottom();
        const int margin = qRound(2 * layout.ratio);
        const QString name = QString::fromLatin1(button.name);
        ok = check(lighter > face.width() * face.height() / 2, qPrintable(name + ": no button face where the layout puts it"))
          && check(right >= left, qPrintable(name + ": no caption"))
          && check(left >= face.left() + margin && right <= face.right() - margin, qPrintable(name + ": caption cut off"))
          && check(bottom - top + 1 >= minimumHeight, qPrintable(name + ": caption too small to read"))
          && ok;
    }
    return ok;
}

int layoutCommand(int argc, char *argv[])
{
    if (argc != 5)
        return 2;
    const Layout layout(QRect(0, 0, QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt()),
                        QString::fromLatin1(argv[4]).toDouble());
    const QRect interior = layout.interior();
    std::printf("%d %d %d %d %.6f\n", interior.left(), interior.top(), interior.width(), interior.height(), layout.scale);
    return 0;
}

int buttonsCommand(int argc, char *argv[])
{
    if (argc != 8 && argc != 9)
        return 2;
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "shotcheck: cannot read %s\n", argv[2]);
        return 2;
    }
    auto number = [argv](int i) { return QString::fromLatin1(argv[i]).toInt(); };
    const Layout layout(QRect(number(3), number(4), number(5), number(6)), QString::fromLatin1(argv[7]).toDouble());
    return buttons(image, layout, argc == 9 ? number(8) : 7) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString which = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (which == QLatin1String("layout"))
        return layoutCommand(argc, argv);
    if (which == QLatin1String("buttons"))
        return buttonsCommand(argc, argv);
    if (argc != 5 && argc != 7) {
        std::fprintf(stderr, "usage: shotcheck empty|triangle|complete|squarecomplete|cleared|fractional|filled|threesteps|pageone|pagetwo|splash SHOT.png LEFT TOP [WIDTH HEIGHT]\n"
                             "       shotcheck layout CLIENT_WIDTH CLIENT_HEIGHT DEVICE_PIXEL_RATIO\n"
                             "       shotcheck buttons SHOT.png CLIENT_LEFT CLIENT_TOP CLIENT_WIDTH CLIENT_HEIGHT DEVICE_PIXEL_RATIO [MIN_HEIGHT]\n");
        return 2;
    }
    Shot shot;
    if (!shot.image.load(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "shotcheck: cannot read %s\n", argv[2]);
        return 2;
    }
    shot.interior = QPoint(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt());
    if (argc == 7)
        shot.size = QSize(QString::fromLatin1(argv[5]).toInt(), QString::fromLatin1(argv[6]).toInt());
    else if (which == QLatin1String("splash"))
        shot.size = QSize(535, 338);
    // The canvas's top-left pixel is never drawn on by these checks' modes.
    shot.background = shot.image.pixel(shot.interior + QPoint(1, 1));

    const std::function<bool(const Shot &)> checks[] = {empty,  triangle,   complete, cleared, fractional, filled,
                                                        threeSteps, pageOne, pageTwo, splash, squareComplete};
    const char *names[] = {"empty",  "triangle",   "complete", "cleared", "fractional",    "filled",
                           "threesteps", "pageone", "pagetwo", "splash", "squarecomplete"};
    for (int i = 0; i < 11; ++i)
        if (which == QLatin1String(names[i]))
            return checks[i](shot) ? 0 : 1;
    std::fprintf(stderr, "shotcheck: unknown check %s\n", argv[1]);
    return 2;
}
