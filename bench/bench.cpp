// The benchmark: how much setting dots through the real canvas, with live
// presentation, costs over the same game writing into a bare pixel array.
// Prints the times, their ratio and the program's peak resident memory.
//
//   build/release/bench/chaos-bench [repeats]

#include "canvas/canvas.h"
#include "games/halfwaygame.h"
#include "games/randomsource.h"

#include <QApplication>
#include <QElapsedTimer>

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

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %.1f MB (target under 100 MB)\n", usage.ru_maxrss / 1024.0);
    return 0;
}
