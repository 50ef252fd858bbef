// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/picture.h"
#include "exploration/dotplane.h"
#include "exploration/exploration.h"
#include "exploration/explorationwalk.h"
#include "exploration/posterrender.h"
#include "exploration/posterslices.h"
#include "exploration/presets.h"
#include "exploration/targetpalette.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

// The exploration engine: what the rules allow and how evenly they pick,
// the figures the presets must draw, and the pictures being the same
// whenever the seed is.
class ExplorationTest : public QObject
{
    Q_OBJECT

private:
    static ExplorationSettings preset(const char *name)
    {
        const auto settings = presetNamed(QString::fromLatin1(name));
        Q_ASSERT(settings);
        return *settings;
    }

    static QImage render(const ExplorationSettings &settings, QSize size, std::uint64_t dots, std::uint64_t seed,
                         int threads, std::optional<FigureView> view = std::nullopt)
    {
        const std::atomic<bool> notCancelled{false};
        const PosterResult result = renderPoster({settings, size, dots, seed, threads, view}, notCancelled);
        Q_ASSERT(result.outcome == PosterResult::Outcome::Done);
        return result.image;
    }

    // The figure's point at the middle of a pixel of a picture showing `view`.
    static QPointF figurePointOf(const FigureView &view, QSize size, int column, int row)
    {
        return {view.left + (column + 0.5) * view.width() / size.width(),
                view.top - (row + 0.5) * view.height() / size.height()};
    }

    // Barycentric weights of p in the triangle abc.
    static std::array<double, 3> weightsIn(QPointF p, QPointF a, QPointF b, QPointF c)
    {
        const double area = (b.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (b.y() - a.y());
        const double wb = ((p.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (p.y() - a.y())) / area;
        const double wc = ((b.x() - a.x()) * (p.y() - a.y()) - (p.x() - a.x()) * (b.y() - a.y())) / area;
        return {1 - wb - wc, wb, wc};
    }

    enum Region { TriangleMiddle, CarpetMiddle, WholeSquare, TriangleLowerLeftThird };

    // Whether a figure point lies well inside the region: a tenth of the
    // region's size away from its edges, so a pixel on the edge is never
    // taken for one inside.
    static bool inRegion(Region region, const Targets &t, QPointF p)
    {
        const auto inTriangle = [p](QPointF a, QPointF b, QPointF c) {
            const auto weights = weightsIn(p, a, b, c);
            return std::all_of(weights.begin(), weights.end(), [](double weight) { return weight > 0.1; });
        };
        const double halfSide = t.at(1).x(); // of a square: corners at (±halfSide, ±halfSide)
        switch (region) {
        case TriangleMiddle:
            return inTriangle((t.at(0) + t.at(1)) / 2, (t.at(1) + t.at(2)) / 2, (t.at(2) + t.at(0)) / 2);
        case CarpetMiddle:
            return std::abs(p.x()) < 0.9 * halfSide / 3 && std::abs(p.y()) < 0.9 * halfSide / 3;
        case WholeSquare:
            return std::abs(p.x()) < 0.98 * halfSide && std::abs(p.y()) < 0.98 * halfSide;
        case TriangleLowerLeftThird:
            return inTriangle(t.at(0), (t.at(0) + t.at(1)) / 2, (t.at(0) + t.at(2)) / 2);
        }
        return false;
    }

    // A rule stated anew, for the test to hold the walk to: whether `next`
    // may follow `previous` and `beforePrevious` (-1: none) on n corners.
    static bool forbidden(NextTargetRule rule, int corners, int beforePrevious, int previous, int next)
    {
        const bool corner = previous >= 0 && previous < corners && next < corners;
        const bool neighbour = corner && (next == (previous + 1) % corners || previous == (next + 1) % corners);
        switch (rule) {
        case NextTargetRule::Any: return false;
        case NextTargetRule::NoRepeat: return next == previous;
        case NextTargetRule::NoNeighbour: return neighbour;
        case NextTargetRule::NoNext: return corner && next == (previous + 1) % corners;
        case NextTargetRule::NoNeighbourAfterRepeat: return neighbour && beforePrevious == previous;
        }
        return false;
    }

private slots:
    void eachRuleNeverPicksWhatItForbidsAndPicksTheRestEvenly_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("corners");
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("midpoints");
        QTest::newRow("any, triangle") << int(NextTargetRule::Any) << 3 << false << false;
        QTest::newRow("no-repeat, square and centre") << int(NextTargetRule::NoRepeat) << 4 << true << false;
        QTest::newRow("no-neighbour, pentagon and midpoints") << int(NextTargetRule::NoNeighbour) << 5 << false
                                                              << true;
        QTest::newRow("no-next, hexagon and centre") << int(NextTargetRule::NoNext) << 6 << true << false;
        QTest::newRow("no-neighbour-after-repeat, square")
            << int(NextTargetRule::NoNeighbourAfterRepeat) << 4 << false << false;
        QTest::newRow("no-neighbour-after-repeat, 12 corners, all targets")
            << int(NextTargetRule::NoNeighbourAfterRepeat) << 12 << true << true;
    }
    void eachRuleNeverPicksWhatItForbidsAndPicksTheRestEvenly()
    {
        QFETCH(int, rule);
        QFETCH(int, corners);
        QFETCH(bool, centre);
        QFETCH(bool, midpoints);
        ExplorationSettings settings{corners, centre, midpoints, 0.5, NextTargetRule(rule)};
        const int targets = settings.targets().count();

        // Picks counted by history: the previous target (-1 at the start),
        // and whether the one before it was the same.
        const auto history = [targets](int previous, bool repeated) {
            return std::size_t((previous + 1) * 2 + repeated) * std::size_t(targets);
        };
        std::vector<long> picks(history(targets, false));
        const WalkStep step(settings);
        WalkPoint point = step.start(Xoshiro256StarStar(20240917));
        int previous = -1, beforePrevious = -1;
        for (long i = 0; i < 200'000 * long(targets); ++i) {
            point = step(point);
            const int next = point.target;
            if (forbidden(NextTargetRule(rule), corners, beforePrevious, previous, next))
                QFAIL(qPrintable(QStringLiteral("%1 after %2, %3").arg(next).arg(beforePrevious).arg(previous)));
            ++picks[history(previous, previous >= 0 && beforePrevious == previous) + std::size_t(next)];
            beforePrevious = std::exchange(previous, next);
        }

        // Chi-square of each well-sampled history's picks against equal
        // chances for what the rule allows there, at the 0.1 % level
        // (Wilson–Hilferty), and every allowed target picked.
        int histories = 0;
        for (int last = -1; last < targets; ++last) {
            for (bool repeated : {false, true}) {
                std::vector<long> allowed;
                for (int next = 0; next < targets; ++next) {
                    if (!forbidden(NextTargetRule(rule), corners, repeated ? last : -1, last, next))
                        allowed.push_back(picks[history(last, repeated) + std::size_t(next)]);
                }
                long total = 0;
                for (long count : allowed)
                    total += count;
                if (total < 2000 || allowed.size() < 2)
                    continue;
                ++histories;
                const double expected = double(total) / double(allowed.size());
                double chiSquare = 0;
                for (long count : allowed) {
                    QVERIFY(count > 0);
                    chiSquare += (count - expected) * (count - expected) / expected;
                }
                const double df = double(allowed.size() - 1);
                const double critical = df * std::pow(1 - 2 / (9 * df) + 3.09 * std::sqrt(2 / (9 * df)), 3);
                QVERIFY2(chiSquare < critical, qPrintable(QStringLiteral("after %1%2: chi-square %3 over %4")
                                                              .arg(last)
                                                              .arg(repeated ? " twice" : "")
                                                              .arg(chiSquare)
                                                              .arg(critical)));
            }
        }
        QVERIFY(histories >= targets - 1);
    }

    // The figures the presets are known for, checked where they must be
    // empty, full or of one colour.
    void theFiguresHaveTheirHolesAndColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<int>("region");
        // What the region holds: 0 no dot, -1 a dot on every pixel, else dots of that value only.
        QTest::addColumn<int>("expected");
        QTest::addColumn<QSize>("size");
        QTest::newRow("triangle: the middle hole") << "triangle" << false << int(TriangleMiddle) << 0 << QSize(240, 200);
        QTest::newRow("carpet: the middle square") << "carpet" << false << int(CarpetMiddle) << 0 << QSize(240, 200);
        QTest::newRow("square: no hole anywhere") << "square" << false << int(WholeSquare) << -1 << QSize(240, 200);
        QTest::newRow("coloured triangle: the lower left third, the lower left corner's colour")
            << "triangle" << true << int(TriangleLowerLeftThird) << 1 << QSize(240, 200);
        QTest::newRow("the same, in a plane larger than the caches")
            << "triangle" << true << int(TriangleLowerLeftThird) << 1 << QSize(2100, 2100);
    }
    void theFiguresHaveTheirHolesAndColours()
    {
        QFETCH(QString, name);
        QFETCH(bool, colour);
        QFETCH(int, region);
        QFETCH(int, expected);
        QFETCH(QSize, size);
        ExplorationSettings settings = *presetNamed(name);
        settings.colourByTarget = colour;
        const QImage image = render(settings, size, 3'000'000, 7, 2);
        const Targets targets = settings.targets();
        const FigureView view = targets.wholeFigure(size);

        int inside = 0, dotsInside = 0, dotsOutside = 0;
        for (int row = 0; row < size.height(); ++row) {
            for (int column = 0; column < size.width(); ++column) {
                const int value = image.pixelIndex(column, row);
                if (!inRegion(Region(region), targets, figurePointOf(view, size, column, row))) {
                    dotsOutside += value != 0;
                    continue;
                }
                ++inside;
                dotsInside += value != 0;
                const bool right = expected < 0 ? value != 0 : value == 0 || value == expected;
                if (!right)
                    QFAIL(qPrintable(QStringLiteral("%1 at %2, %3").arg(value).arg(column).arg(row)));
            }
        }
        QVERIFY2(inside > 200, qPrintable(QString::number(inside)));
        QCOMPARE(dotsInside > 0, expected != 0);
        QVERIFY(dotsOutside > 1000); // the figure is there around the region
    }

    void theSameSeedGivesTheSamePictureOnAnyNumberOfThreads_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QSize>("size");
        QTest::newRow("triangle") << "triangle" << false << QSize(300, 300);
        QTest::newRow("pentagon, no repeat, coloured: overlapping colours") << "pentagon-no-repeat" << true
                                                                            << QSize(300, 300);
        // Planes larger than the caches are set another way.
        QTest::newRow("triangle, 4.4 MB") << "triangle" << false << QSize(2100, 2100);
        QTest::newRow("pentagon, no repeat, coloured, 4.4 MB") << "pentagon-no-repeat" << true << QSize(2100, 2100);
    }
    void theSameSeedGivesTheSamePictureOnAnyNumberOfThreads()
    {
        QFETCH(QString, name);
        QFETCH(bool, colour);
        QFETCH(QSize, size);
        ExplorationSettings settings = *presetNamed(name);
        settings.colourByTarget = colour;
        const std::uint64_t dots = 2'000'003; // 20 walks, not all of the same length
        const QImage once = render(settings, size, dots, 42, 3);
        QCOMPARE(render(settings, size, dots, 42, 3), once);
        QCOMPARE(render(settings, size, dots, 42, 1), once);
        QCOMPARE(render(settings, size, dots, 42, 2), once);
        QVERIFY(render(settings, size, dots, 43, 3) != once);

        // On one thread in slices from the event loop, as in a browser: a
        // slice of no time draws one step, so the walks are cut everywhere.
        PosterSlices slices({settings, size, dots, 42, 1, std::nullopt});
        int steps = 1;
        while (!slices.drawFor(0)) {
            QVERIFY(slices.dotsDone() < dots);
            QCOMPARE(slices.result().outcome, PosterResult::Outcome::Cancelled);
            ++steps;
        }
        QVERIFY2(steps > 20, qPrintable(QString::number(steps)));
        QCOMPARE(slices.dotsDone(), dots);
        const PosterResult sliced = slices.result();
        QCOMPARE(sliced.outcome, PosterResult::Outcome::Done);
        QCOMPARE(sliced.image, once);
    }

    // The Explorer's way: one walk drawn slice by slice into a picture,
    // through a zoomed view, plots what the same walk plots in one go.
    void aWalkDrawnInSlicesIsTheWalkDrawnAtOnce()
    {
        ExplorationSettings settings = preset("carpet");
        settings.colourByTarget = true;
        const QSize size(200, 150);
        FigureView view = settings.targets().wholeFigure(size);
        view = {view.left / 2, view.top / 2, view.right / 2, view.bottom / 2}; // the middle, twice as large

        Picture inSlices(size), atOnce(size);
        Exploration::prepare(inSlices, view);
        Exploration::prepare(atOnce, view);
        Exploration sliced(settings, 5), whole(settings, 5);
        for (long slice : {1L, 999L, 40'000L, 159'000L})
            sliced.advance(slice, inSlices);
        whole.advance(200'000, atOnce);
        QCOMPARE(sliced.dotsDrawn(), std::uint64_t(200'000));
        QCOMPARE(inSlices.image(), atOnce.image());

        // ... and the view is zoomed: the middle square's hole, a third of
        // the figure across, now fills 90 of the picture's 150 rows.
        const auto dotsIn = [image = atOnce.image()](QRect area) {
            int dots = 0;
            for (int row = area.top(); row <= area.bottom(); ++row)
                for (int column = area.left(); column <= area.right(); ++column)
                    dots += image.pixel(column, row) != qRgb(255, 255, 255);
            return dots;
        };
        QCOMPARE(dotsIn(QRect(QPoint(60, 35), QPoint(140, 115))), 0);
        QVERIFY(dotsIn(QRect(QPoint(0, 0), QPoint(199, 25))) > 2000);

        // The same walk in an 8-bit plane sets the same pixels.
        settings.colourByTarget = false;
        Picture picture(size);
        Exploration::prepare(picture, view);
        Exploration(settings, 5).advance(200'000, picture);
        DotPlane plane(size);
        plane.setView(view);
        Exploration(settings, 5).advance(200'000, plane);
        QCOMPARE(plane.image(explorationColourTable(8, false)).convertToFormat(QImage::Format_RGB32),
                 picture.image());
    }

    void cancellingStopsTheRender()
    {
        std::atomic<bool> cancelled{false};
        PosterJob job{preset("triangle"), QSize(500, 500), 50'000'000'000ULL, 1, 2, std::nullopt};
        int calls = 0;
        QElapsedTimer timer;
        timer.start();
        const PosterResult result = renderPoster(job, cancelled, [&](std::uint64_t done, std::uint64_t total) {
            QVERIFY(done < total);
            if (++calls == 2)
                cancelled = true;
        });
        QCOMPARE(result.outcome, PosterResult::Outcome::Cancelled);
        QVERIFY(result.image.isNull());
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    }
};

QTEST_GUILESS_MAIN(ExplorationTest)
#include "tst_exploration.moc"
