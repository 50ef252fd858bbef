// The benchmark: how much setting dots through the real canvas, with live
// presentation, costs over the same game writing into a bare pixel array.
// Prints the times, their ratio and the program's peak resident memory.
//
//   build/release/bench/chaos-bench [repeats]

#include "app/formvalue.h"
#include "app/modecontext.h"
#include "canvas/canvas.h"
#include "games/clock.h"
#include "games/fractionalgame.h"
#include "games/halfwaygame.h"
#include "games/hexagongame.h"
#include "games/randomsource.h"
#include "games/squaregame.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 957; // the canvas's interior in pixels
constexpr int kHeight = 653;
constexpr double kRatioTarget = 1.25;

// The plain pixel array the bare loops write into, with the canvas's mapping
// of user coordinates and its clipping.
struct PixelArray
{
    std::vector<quint32> pixels = std::vector<quint32>(kWidth * kHeight, 0xFFEFEFEF);
    const double perUnitX = kWidth / 1000.0;
    const double perUnitY = kHeight / -750.0;

    void set(double x, double y)
    {
        const double column = x * perUnitX;
        const double row = (y - 750) * perUnitY;
        if (column >= 0 && column < kWidth && row >= 0 && row < kHeight)
            pixels[static_cast<int>(row) * kWidth + static_cast<int>(column)] = 0xFF000000;
    }
};

// The triangle's corner table, as the triangle game computes it.
void towardsTriangleCorner(int corner, float &x, float &y)
{
    switch (corner) {
    case 1: x = x + (475 - x) / 2; y = y + (725 - y) / 2; break;
    case 2: x = x / 2 + 25;        y = y / 2 + 25;        break;
    case 3: x = x + (950 - x) / 2; y = y / 2 + 25;        break;
    }
}

struct Corner
{
    int x, y;
};
constexpr Corner kSquare[] = {{150, 40}, {850, 40}, {150, 700}, {850, 700}};
constexpr Corner kHexagon[] = {{330, 50}, {650, 50}, {150, 350}, {850, 350}, {330, 700}, {650, 700}};
constexpr Corner kFractional[] = {{500, 725}, {50, 50}, {975, 50}};

// The square and hexagon games' bare loop: half-way to one of n corners.
template <std::size_t n>
void bareHalfWay(RandomSource &random, const Corner (&corners)[n], long steps, PixelArray &pixels)
{
    float x = 500, y = 375;
    for (long step = 0; step < steps; ++step) {
        const Corner &c = corners[drawOneTo(random, n) - 1];
        x = (x + c.x) / 2;
        y = (y + c.y) / 2;
        pixels.set(x, y);
    }
}

// The game modes have no pauses; a clock they never wait on.
class UnusedClock : public Clock
{
public:
    float secondsSinceMidnight() override { return 0; }
    void waitForTick() override {}
};

template <typename Run>
double bestMilliseconds(int repeats, Run run)
{
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char *name, long steps, double canvasMs, double bareMs)
{
    const double ratio = canvasMs / bareMs;
    std::printf("%s, %ld steps\n", name, steps);
    std::printf("  through the canvas (live presentation): %8.1f ms\n", canvasMs);
    std::printf("  bare loop into a pixel array:           %8.1f ms\n", bareMs);
    std::printf("  ratio: %.2f (target at most %.2f) %s\n\n", ratio, kRatioTarget,
                ratio <= kRatioTarget ? "ok" : "OVER TARGET");
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    Canvas canvas(QSize(961, 657));
    canvas.setScale(0, 750, 1000, 0);
    canvas.show();
    QApplication::processEvents();

    TimeSeededRandom random;
    random.seed(43200.0f);

    const long steps = 3000000;
    const double canvasMs = bestMilliseconds(repeats, [&] {
        canvas.clear();
        float x = 500, y = 375;
        playHalfWayGame(canvas, random, 3, steps, x, y, towardsTriangleCorner, [] {});
        canvas.present();
    });
    PixelArray bare;
    const double bareMs = bestMilliseconds(repeats, [&] {
        float x = 500, y = 375;
        for (long step = 0; step < steps; ++step) {
            towardsTriangleCorner(drawOneTo(random, 3), x, y);
            bare.set(x, y);
        }
    });
    report("Triangle half-way game", steps, canvasMs, bareMs);

    // The square and hexagon modes themselves, from the same start point.
    FormState form;
    UnusedClock clock;
    QPushButton screen2, explain;
    ModeContext mode{canvas, form, random, clock, screen2, explain};
    auto fromTheMiddle = [&] {
        form.PointX = FormValue::single(500);
        form.PointY = FormValue::single(375);
    };
    const double squareMs = bestMilliseconds(repeats, [&] { fromTheMiddle(); playSquareGame(mode); });
    const double bareSquareMs = bestMilliseconds(repeats, [&] { bareHalfWay(random, kSquare, steps, bare); });
    report("Square chaos game", steps, squareMs, bareSquareMs);

    const double hexagonMs = bestMilliseconds(repeats, [&] { fromTheMiddle(); playHexagonalGame(mode); });
    const double bareHexagonMs = bestMilliseconds(repeats, [&] { bareHalfWay(random, kHexagon, steps, bare); });
    report("Hexagonal chaos game", steps, hexagonMs, bareHexagonMs);

    // The fractional game's steps, past its input box.
    const long fractionalSteps = 700000;
    const double fractionalMs = bestMilliseconds(repeats, [&] {
        canvas.clear();
        float x = 500, y = 375;
        playFractionSteps(canvas, random, 0.5f, fractionalSteps, x, y);
        canvas.present();
    });
    const double bareFractionalMs = bestMilliseconds(repeats, [&] {
        float x = 500, y = 375;
        const float fraction = 0.5f;
        for (long step = 0; step < fractionalSteps; ++step) {
            const Corner &c = kFractional[drawOneTo(random, 3) - 1];
            x = x + fraction * (c.x - x);
            y = y + fraction * (c.y - y);
            bare.set(x, y);
        }
    });
    report("Fractional chaos game", fractionalSteps, fractionalMs, bareFractionalMs);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB (target under 100 MB)\n", usage.ru_maxrss / 1024.0);
    return 0;
}
