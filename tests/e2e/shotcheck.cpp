// Reads a screenshot of the running program and checks what its canvas shows.
//
//   shotcheck CHECK SHOT.png LEFT TOP
//
// LEFT and TOP are the screen position of the canvas's interior (957 x 653
// pixels, user coordinates x 0..1000 left to right, y 0..750 bottom to top),
// or for the splash check that of the start-up window's client area.
// Exits 0 when the check holds; otherwise prints why and exits 1.

#include <QImage>
#include <QString>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Shot
{
    QImage image;
    QPoint interior;
    QRgb background = 0;

    QPoint pixelOf(double x, double y) const
    {
        return interior + QPoint(int(x * 957 / 1000), int((750 - y) * 653 / 750));
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
        && check(shot.drawnBetween(497, 724, 503, 721) == 0, "dots at (500, 725), right of the apex")
        // The big middle hole stays empty.
        && check(shot.drawnBetween(450, 340, 530, 200) == 0, "dots in the triangle's middle hole")
        // Dots fill the sides densely.
        && check(shot.drawnBetween(100, 100, 300, 60) > 500, "too few dots along the base");
}

// The fractional game at 0.5: its own triangle, (500, 725), (50, 50), (975, 50).
bool fractional(const Shot &shot)
{
    return check(shot.drawnBetween(493, 725, 507, 715) > 3, "no dots at the apex (500, 725)")
        && check(shot.drawnBetween(963, 60, 975, 50) > 3, "no dots at the bottom right corner (975, 50)")
        && check(shot.drawnBetween(470, 725, 478, 715) == 0, "dots at (475, 725), left of the apex")
        && check(shot.drawnBetween(480, 340, 540, 200) == 0, "dots in the triangle's middle hole")
        && check(shot.drawnBetween(650, 30, 720, 18) > 20, "no \"Complete\" at (650, 30)");
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
    const QRect screen2 = QRect(824, 600, 89, 33).translated(shot.interior);
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
    const QPoint box = shot.interior + QPoint(10, 4);
    auto drawnIn = [&](const QRect &area) {
        int count = 0;
        const QRgb face = shot.image.pixel(box + QPoint(5, 5));
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += shot.image.pixel(x, y) != face;
        return count;
    };
    return check(drawnIn(QRect(box + QPoint(128, 72), QSize(196, 29))) > 300, "no title on the start-up window")
        && check(drawnIn(QRect(box + QPoint(136, 264), QSize(305, 17))) > 200, "no resolution note")
        && check(drawnIn(QRect(box + QPoint(208, 288), QSize(121, 14))) > 50, "no click invitation")
        && check(drawnIn(QRect(shot.interior + QPoint(2, 40), QSize(6, 200))) == 0, "something in the margin");
}

bool complete(const Shot &shot)
{
    return check(shot.drawnBetween(935, 145, 999, 132) > 20, "no \"Complete\" at (935, 145)");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: shotcheck empty|triangle|complete|fractional|filled|threesteps|pageone|pagetwo|splash SHOT.png LEFT TOP\n");
        return 2;
    }
    Shot shot;
    if (!shot.image.load(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "shotcheck: cannot read %s\n", argv[2]);
        return 2;
    }
    shot.interior = QPoint(QString::fromLatin1(argv[3]).toInt(), QString::fromLatin1(argv[4]).toInt());
    // The canvas's top-left pixel is never drawn on by these checks' modes.
    shot.background = shot.image.pixel(shot.interior + QPoint(1, 1));

    const QString which = QString::fromLatin1(argv[1]);
    const std::function<bool(const Shot &)> checks[] = {empty,   triangle, complete, fractional, filled,
                                                        threeSteps, pageOne, pageTwo,  splash};
    const char *names[] = {"empty",      "triangle", "complete", "fractional", "filled",
                           "threesteps", "pageone",  "pagetwo",  "splash"};
    for (int i = 0; i < 9; ++i)
        if (which == QLatin1String(names[i]))
            return checks[i](shot) ? 0 : 1;
    std::fprintf(stderr, "shotcheck: unknown check %s\n", argv[1]);
    return 2;
}
