// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "games/halfwaygame.h"
#include "games/randomsource.h"
#include "games/randomwalk.h"
#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

// The games' fast loop: dots set along a walk through Canvas::setPoints
// must be exactly the dots that setting them one by one gives, and the
// random source must go on as if every draw had been taken from it.
class RandomWalkTest : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<Canvas> newCanvas()
    {
        auto canvas = std::make_unique<Canvas>(QSize(961, 657));
        canvas->setScale(0, 750, 1000, 0);
        canvas->clear();
        return canvas;
    }

    // Half-way to one of four corners, one of them well off the canvas, so
    // that the walk also runs through clipped points.
    static void towardsCorner(int corner, double &x, double &y)
    {
        static constexpr struct { int x, y; } corners[] = {{150, 40}, {850, 40}, {150, 700}, {1900, 1400}};
        x = (x + corners[corner - 1].x) / 2;
        y = (y + corners[corner - 1].y) / 2;
    }

private slots:
    void pointsAlongAPathAreThePointsSetOneByOne_data()
    {
        QTest::addColumn<int>("drawWidth");
        QTest::addColumn<long>("count");
        QTest::newRow("narrow, across many clock checks") << 1 << 100'003L;
        QTest::newRow("narrow, fewer than one stretch") << 1 << 7L;
        QTest::newRow("wide discs") << 3 << 2'000L;
    }
    void pointsAlongAPathAreThePointsSetOneByOne()
    {
        QFETCH(int, drawWidth);
        QFETCH(long, count);
        // A path over the whole canvas and past each of its edges, with a
        // point that is not a number now and then.
        struct Point { double x, y; };
        struct Path
        {
            long taken = 0;
            Point operator()(Point)
            {
                ++taken;
                const double x = std::fmod(taken * 37.7, 1100.0) - 50.0;
                const double y = std::fmod(taken * 19.3, 850.0) - 50.0;
                return taken % 997 == 0 ? Point{std::numeric_limits<double>::quiet_NaN(), y} : Point{x, y};
            }
        };

        auto oneByOne = newCanvas(), alongAPath = newCanvas();
        for (Canvas *canvas : {oneByOne.get(), alongAPath.get()}) {
            canvas->setDrawWidth(drawWidth);
            canvas->setPoint(5, 5); // so that the path does not start on a clock check
        }

        Path path;
        Point expected{123.0, 456.0};
        for (long i = 0; i < count; ++i) {
            expected = path(expected);
            oneByOne->setPoint(expected.x, expected.y);
        }
        const Point last = alongAPath->setPoints(count, Point{123.0, 456.0}, Path());

        QCOMPARE(alongAPath->pointsSet(), oneByOne->pointsSet());
        QCOMPARE(alongAPath->picture(), oneByOne->picture());
        QVERIFY(alongAPath->picture() != newCanvas()->picture());
        QCOMPARE(last.y, expected.y);
        QCOMPARE(std::isnan(last.x), std::isnan(expected.x));
        if (!std::isnan(expected.x))
            QCOMPARE(last.x, expected.x);
    }

    void noPointsLeaveTheCanvasAsItWas()
    {
        auto canvas = newCanvas();
        struct Point { double x, y; };
        const Point last = canvas->setPoints(0, Point{1, 2}, [](Point) { return Point{500, 375}; });
        QCOMPARE(last.x, 1.0);
        QCOMPARE(last.y, 2.0);
        QCOMPARE(canvas->pointsSet(), quint64(0));
        QCOMPARE(canvas->picture(), newCanvas()->picture());
    }

    // The half-way game through the fast loop against the same game
    // written out with setPoint() and the source's own draws.
    void aWalkGivesTheDotsAndDrawsOfTheGameWrittenOut_data()
    {
        QTest::addColumn<bool>("scripted");
        QTest::newRow("seeded from the clock") << false;
        QTest::newRow("scripted draws") << true;
    }
    void aWalkGivesTheDotsAndDrawsOfTheGameWrittenOut()
    {
        QFETCH(bool, scripted);
        std::unique_ptr<RandomSource> walked, writtenOut;
        if (scripted) {
            walked = std::make_unique<ScriptedRandom>(std::vector<double>{0.1, 0.8, 0.3, 0.6, 0.95, 0.4, 0.7});
            writtenOut = std::make_unique<ScriptedRandom>(std::vector<double>{0.1, 0.8, 0.3, 0.6, 0.95, 0.4, 0.7});
        } else {
            walked = std::make_unique<TimeSeededRandom>();
            writtenOut = std::make_unique<TimeSeededRandom>();
            walked->seed(45678.25f);
            writtenOut->seed(45678.25f);
        }
        const long steps = 50'001;

        auto fast = newCanvas();
        double x = 500, y = 375;
        const int lastCorner = playHalfWayGame(*fast, *walked, 4, steps, x, y, &towardsCorner);

        auto slow = newCanvas();
        double expectedX = 500, expectedY = 375;
        int expectedCorner = 0;
        for (long step = 0; step < steps; ++step) {
            expectedCorner = drawOneTo(*writtenOut, 4);
            towardsCorner(expectedCorner, expectedX, expectedY);
            slow->setPoint(expectedX, expectedY);
        }

        QCOMPARE(x, expectedX);
        QCOMPARE(y, expectedY);
        QCOMPARE(lastCorner, expectedCorner);
        QCOMPARE(fast->picture(), slow->picture());
        // The source goes on where the walk left it.
        for (int i = 0; i < 100; ++i)
            QCOMPARE(drawOneTo(*walked, 1000), drawOneTo(*writtenOut, 1000));
    }
};

QTEST_MAIN(RandomWalkTest)
#include "tst_randomwalk.moc"
