// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/picture.h"
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
#include <numeric>
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
        // Checked in every build: a helper cannot fail its test, so it ends it.
        if (!settings)
            qFatal("no preset named %s", name);
        return *settings;
    }

    static QImage render(const ExplorationSettings &settings, QSize size, std::uint64_t dots, std::uint64_t seed,
                         int threads, std::optional<FigureView> view = std::nullopt)
    {
        const std::atomic<bool> notCancelled{false};
        const PosterResult result = renderPoster({settings, size, dots, seed, threads, view}, notCancelled);
        if (result.outcome != PosterResult::Outcome::Done)
            qFatal("the picture was not drawn (outcome %d)", int(result.outcome));
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
        // A deep view: the walks share the copies of the figure in view.
        QTest::newRow("pentagon, no repeat, coloured, 1e-6 of it") << "pentagon-no-repeat deep" << true
                                                                   << QSize(1000, 1000);
    }
    void theSameSeedGivesTheSamePictureOnAnyNumberOfThreads()
    {
        QFETCH(QString, name);
        QFETCH(bool, colour);
        QFETCH(QSize, size);
        const bool deep = name.endsWith(QLatin1String(" deep"));
        ExplorationSettings settings = *presetNamed(name.section(QLatin1Char(' '), 0, 0));
        settings.colourByTarget = colour;
        std::optional<FigureView> view;
        if (deep) {
            // About a point of the figure: where a walk stands.
            const WalkStep step(settings);
            WalkPoint at = step.start(Exploration::generatorOf(9, 0));
            for (int i = 0; i < 1000; ++i)
                at = step(at);
            view = FigureView{at.x - 1e-6, at.y + 1e-6, at.x + 1e-6, at.y - 1e-6};
        }
        const std::uint64_t dots = 2'000'003; // 20 walks, not all of the same length
        const QImage once = render(settings, size, dots, 42, 3, view);
        QCOMPARE(render(settings, size, dots, 42, 3, view), once);
        QCOMPARE(render(settings, size, dots, 42, 1, view), once);
        QCOMPARE(render(settings, size, dots, 42, 2, view), once);
        QVERIFY(render(settings, size, dots, 43, 3, view) != once);

        // On one thread in slices from the event loop, as in a browser: a
        // slice of no time draws one step, so the walks are cut everywhere.
        PosterSlices slices({settings, size, dots, 42, 1, view});
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

    // Deep views, drawn as the export draws them. At the lower left corner
    // of the triangle (and of the carpet) the figure is the same at every
    // depth: each 1 / (1 - R) times closer shows the same picture, and the
    // walk's dots there thin out as much. A view 10^-4 or 10^-8 as wide as
    // the figure must show what the view one level down shows, with as many
    // dots: the figure's density, not an empty picture.
    void aDeepViewShowsTheFigureAtItsDensity_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("levels");
        QTest::newRow("triangle, 1.2e-4 of its width") << "triangle" << 13;
        QTest::newRow("triangle, 7.5e-9 of its width") << "triangle" << 27;
        QTest::newRow("carpet, 1.5e-4 of its width") << "carpet" << 8;
        QTest::newRow("carpet, 7.7e-9 of its width") << "carpet" << 17;
    }
    void aDeepViewShowsTheFigureAtItsDensity()
    {
        QFETCH(QString, name);
        QFETCH(int, levels);
        const ExplorationSettings settings = *presetNamed(name);
        const Targets targets = settings.targets();
        const QPointF corner = targets.at(0);
        // Corner 0 is the lower left corner of the figure's box: a square
        // view this wide from there holds the whole figure.
        double extent = 0;
        for (int k = 0; k < targets.corners(); ++k)
            extent = std::max({extent, targets.at(k).x() - corner.x(), targets.at(k).y() - corner.y()});
        const auto cornerView = [&](int level) {
            const double side = extent * std::pow(1 - settings.ratio, level);
            return FigureView{corner.x(), corner.y() + side, corner.x() + side, corner.y()};
        };
        const QSize size(200, 200);
        const std::uint64_t sparse = 20'000; // half a dot a pixel: the lit pixels tell the density
        const QImage shallowSolid = render(settings, size, 2'000'000, 3, 2, cornerView(1));
        const QImage shallow = render(settings, size, sparse, 4, 2, cornerView(1));
        const QImage deep = render(settings, size, sparse, 5, 2, cornerView(levels));
        const QImage deepSolid = render(settings, size, 2'000'000, 6, 2, cornerView(levels));

        const auto lit = [](const QImage &image, int column, int row) { return image.pixelIndex(column, row) != 0; };
        const auto nearFigure = [&](int column, int row) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (QRect(QPoint(), size).contains(column + dx, row + dy) && lit(shallowSolid, column + dx, row + dy))
                        return true;
            return false;
        };
        int shallowDots = 0, deepDots = 0, deepOffFigure = 0, solidAgree = 0, solidLit = 0;
        for (int row = 0; row < size.height(); ++row) {
            for (int column = 0; column < size.width(); ++column) {
                shallowDots += lit(shallow, column, row);
                deepDots += lit(deep, column, row);
                deepOffFigure += lit(deep, column, row) && !nearFigure(column, row);
                solidLit += lit(shallowSolid, column, row);
                solidAgree += lit(shallowSolid, column, row) && lit(deepSolid, column, row);
            }
        }
        const QString figures = QStringLiteral("shallow %1, deep %2, deep off the figure %3, solid %4 of which %5 "
                                               "deep too")
                                    .arg(shallowDots).arg(deepDots).arg(deepOffFigure).arg(solidLit).arg(solidAgree);
        QVERIFY2(shallowDots > 3000, qPrintable(figures));
        QVERIFY2(deepDots > 0.9 * shallowDots && deepDots < 1.5 * shallowDots, qPrintable(figures));
        QVERIFY2(deepOffFigure < deepDots / 100, qPrintable(figures));
        QVERIFY2(solidAgree > 0.97 * solidLit, qPrintable(figures));
    }

    // A rule that looks back: a deep view's dots come from copies whose
    // first picks the rule allows after the walk's last ones, in the walk's
    // own proportions. The deep view must show what the whole figure,
    // drawn eight times as large, shows in the same pixels: no dot where
    // the rule leaves a hole, and the same density from part to part.
    void aDeepViewKeepsTheRule_data()
    {
        QTest::addColumn<int>("corners");
        QTest::addColumn<bool>("midpoints");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("rule");
        QTest::addColumn<double>("towardsCorner"); // where the view lies: this far from the middle to corner 0
        QTest::newRow("pentagon, no repeat") << 5 << false << 0.5 << int(NextTargetRule::NoRepeat) << 0.6;
        QTest::newRow("square, no repeat") << 4 << false << 0.5 << int(NextTargetRule::NoRepeat) << 0.4;
        QTest::newRow("square, no neighbour after a repeat")
            << 4 << false << 0.5 << int(NextTargetRule::NoNeighbourAfterRepeat) << 0.75;
        QTest::newRow("hexagon and midpoints, no neighbour, R 0.4")
            << 6 << true << 0.4 << int(NextTargetRule::NoNeighbour) << 0.75;
    }
    void aDeepViewKeepsTheRule()
    {
        QFETCH(int, corners);
        QFETCH(bool, midpoints);
        QFETCH(double, ratio);
        QFETCH(int, rule);
        QFETCH(double, towardsCorner);
        const ExplorationSettings settings{corners, false, midpoints, ratio, NextTargetRule(rule), false};
        const QSize whole(1600, 1600), part(200, 200);
        const FigureView all = settings.targets().wholeFigure(whole);
        // The part around a point between corner 0 and the middle, on
        // the whole picture's pixels.
        const double perPixel = all.width() / whole.width();
        const QPointF middle = settings.targets().at(0) * towardsCorner;
        const int left = int((middle.x() - all.left) / perPixel) - part.width() / 2;
        const int top = int((all.top - middle.y()) / perPixel) - part.height() / 2;
        const FigureView view{all.left + left * perPixel, all.top - top * perPixel,
                              all.left + (left + part.width()) * perPixel, all.top - (top + part.height()) * perPixel};

        const QImage wholeSolid = render(settings, whole, 60'000'000, 1, 2).copy(QRect(QPoint(left, top), part));
        const QImage wholeSparse = render(settings, whole, 600'000, 2, 2).copy(QRect(QPoint(left, top), part));
        const QImage deepSolid = render(settings, part, 8'000'000, 3, 2, view);
        const QImage deepSparse = render(settings, part, 40'000, 4, 2, view);

        const auto lit = [](const QImage &image, int column, int row) {
            return QRect(QPoint(), image.size()).contains(column, row) && image.pixelIndex(column, row) != 0;
        };
        int solidLit = 0, deepLit = 0, deepAlso = 0, deepOff = 0;
        // Per part of 50 x 50 pixels: the figure's pixels, and those lit by a few dots.
        std::array<double, 16> figureBlocks{}, wholeBlocks{}, deepBlocks{};
        for (int row = 0; row < part.height(); ++row) {
            for (int column = 0; column < part.width(); ++column) {
                bool near = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        near = near || lit(wholeSolid, column + dx, row + dy);
                solidLit += lit(wholeSolid, column, row);
                deepLit += lit(deepSolid, column, row);
                deepAlso += lit(wholeSolid, column, row) && lit(deepSolid, column, row);
                deepOff += lit(deepSolid, column, row) && !near;
                const std::size_t block = std::size_t(row / 50 * 4 + column / 50);
                figureBlocks[block] += lit(wholeSolid, column, row);
                wholeBlocks[block] += lit(wholeSparse, column, row);
                deepBlocks[block] += lit(deepSparse, column, row);
            }
        }
        // Each part's share of the dots, in both. Where dots fall at random
        // on n pixels, m dots light n (1 - e^(-m/n)) of them: the dots are
        // counted back from the lit pixels.
        const double wholeTotal = std::accumulate(wholeBlocks.begin(), wholeBlocks.end(), 0.0);
        const double deepTotal = std::accumulate(deepBlocks.begin(), deepBlocks.end(), 0.0);
        for (std::size_t block = 0; block < wholeBlocks.size(); ++block) {
            const double n = std::max(1.0, figureBlocks[block]);
            wholeBlocks[block] = -n * std::log1p(-std::min(wholeBlocks[block], n - 0.5) / n);
            deepBlocks[block] = -n * std::log1p(-std::min(deepBlocks[block], n - 0.5) / n);
        }
        const double wholeDots = std::accumulate(wholeBlocks.begin(), wholeBlocks.end(), 0.0);
        const double deepDots = std::accumulate(deepBlocks.begin(), deepBlocks.end(), 0.0);
        double largestDifference = 0;
        for (std::size_t block = 0; block < wholeBlocks.size(); ++block)
            largestDifference = std::max(largestDifference,
                                         std::abs(wholeBlocks[block] / wholeDots - deepBlocks[block] / deepDots));
        const QString figures = QStringLiteral("whole %1 lit, deep %2 of which %3 in both and %4 off the figure; "
                                               "sparse %5 and %6, shares differ by up to %7")
                                    .arg(solidLit).arg(deepLit).arg(deepAlso).arg(deepOff)
                                    .arg(wholeTotal).arg(deepTotal).arg(largestDifference);
        QVERIFY2(solidLit > 2000 && wholeTotal > 1000 && deepTotal > 1000, qPrintable(figures));
        QVERIFY2(deepAlso > 0.97 * solidLit, qPrintable(figures));
        QVERIFY2(deepOff < deepLit / 500, qPrintable(figures));
        QVERIFY2(largestDifference < 0.03, qPrintable(figures));
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
