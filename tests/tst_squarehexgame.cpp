// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QPolygonF>
#include <QPushButton>
#include <QtTest>

#include <memory>

// "&Square Chaos Game" and "&Hexagonal Chaos Game": the half-way game on
// four and six corners, continuing from the point the last mode left.
class SquareHexGameTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;

    // The hexagon's corners, in order round its edge.
    const QPolygonF hexagon{{QPointF(330, 50), QPointF(650, 50), QPointF(850, 350), QPointF(650, 700),
                             QPointF(330, 700), QPointF(150, 350)}};

    // Drawn pixels outside a figure, skipping the "Complete" line at the bottom.
    int drawnOutside(const std::function<bool(double x, double y)> &inside)
    {
        const QImage image = game->canvas().picture();
        int count = 0;
        for (int row = 0; row < image.height(); ++row) {
            const double y = 750 - (row + 0.5) * 750 / image.height();
            if (y < 35)
                continue;
            for (int column = 0; column < image.width(); ++column) {
                const double x = (column + 0.5) * 1000 / image.width();
                count += image.pixel(column, row) != game->background() && !inside(x, y);
            }
        }
        return count;
    }

private slots:
    void init() { game = std::make_unique<GameWindow>(); }
    void cleanup() { game.reset(); }

    void eachRunSetsThreeMillionDots_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("square") << "cmdSquare";
        QTest::newRow("hexagon") << "cmdHexagon";
    }

    void eachRunSetsThreeMillionDots()
    {
        QFETCH(QString, mode);
        game->form().TrackingActive = FormValue::integer(1);
        game->button("cmdScreen2")->show();
        game->canvas().setDrawWidth(3);
        const quint64 before = game->canvas().pointsSet();
        game->click(mode.toLatin1().constData());

        QCOMPARE(game->canvas().pointsSet() - before, quint64(3000000));
        QCOMPARE(game->random.drawn, 3000000L); // no start point of its own
        QCOMPARE(game->form().TrackingActive.toDouble(), 0.0);
        QVERIFY(!game->button("cmdScreen2")->isVisible());
        QCOMPARE(game->canvas().drawWidth(), 1);
        QCOMPARE(game->clock.pauses, 0);
    }

    void theFirstRunStartsFromTheOrigin_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QPointF>("firstDot");  // half-way from (0, 0) to corner 1
        QTest::addColumn<QPointF>("settlesAt"); // corner 1
        QTest::newRow("square") << "cmdSquare" << QPointF(75, 20) << QPointF(150, 40);
        QTest::newRow("hexagon") << "cmdHexagon" << QPointF(165, 25) << QPointF(330, 50);
    }

    void theFirstRunStartsFromTheOrigin()
    {
        QFETCH(QString, mode);
        QFETCH(QPointF, firstDot);
        QFETCH(QPointF, settlesAt);
        QVERIFY(game->form().PointX.isEmpty());
        game->click(mode.toLatin1().constData());
        QVERIFY(game->drawnAt(firstDot.x(), firstDot.y()));
        QCOMPARE(game->form().PointX.kind(), FormValue::Kind::Single);
        QCOMPARE(game->form().PointX.toDouble(), settlesAt.x());
        QCOMPARE(game->form().PointY.toDouble(), settlesAt.y());
    }

    void aRunContinuesFromThePointTheLastModeLeft()
    {
        // The tracked game leaves a point in double precision ...
        game->random.setValues({0.1}); // corner 1 everywhere
        game->click("cmdTrack");
        game->clickCanvas(); // to (642.5, 635)
        QCOMPARE(game->form().PointX.kind(), FormValue::Kind::Double);
        game->click("cmdSquare");
        // ... from which the square game goes on, in the same precision.
        QVERIFY(game->drawnAt((642.5 + 150) / 2, (635 + 40) / 2.0));
        QCOMPARE(game->form().PointX.kind(), FormValue::Kind::Double);

        // The hexagon game goes on from where the square game stopped.
        game->form().PointX = FormValue::single(1000);
        game->form().PointY = FormValue::single(750);
        game->click("cmdHexagon");
        QVERIFY(game->drawnAt((1000 + 330) / 2, (750 + 50) / 2));
        QCOMPARE(game->form().PointX.kind(), FormValue::Kind::Single);
    }

    void theSquareKeepsItsCornerAndTheHexagonDoesNot()
    {
        game->random.setValues({0.3}); // corner 2 of 4, corner 2 of 6
        game->click("cmdSquare");
        QCOMPARE(game->form().Corner.kind(), FormValue::Kind::Single);
        QCOMPARE(game->form().Corner.toDouble(), 2.0);
        QCOMPARE(game->form().PointX.toDouble(), 850.0);
        QCOMPARE(game->form().PointY.toDouble(), 40.0);

        game->form().Corner = FormValue::single(3);
        game->random.setValues({0.9}); // corner 6 of 6
        game->click("cmdHexagon");
        QCOMPARE(game->form().Corner.toDouble(), 3.0);
        QCOMPARE(game->form().PointX.toDouble(), 650.0);
        QCOMPARE(game->form().PointY.toDouble(), 700.0);
    }

    void theSquareFillsEvenlyAndStaysInside()
    {
        TimeSeededRandom real;
        real.seed(4242.0f);
        game->reopen(real);
        game->form().PointX = FormValue::single(500);
        game->form().PointY = FormValue::single(375);
        game->click("cmdSquare");

        QCOMPARE(drawnOutside([](double x, double y) { return x >= 149 && x <= 851 && y >= 39 && y <= 701; }), 0);
        // No fractal: every patch of the square holds dots.
        for (double x = 160; x < 840; x += 68)
            for (double y = 50; y < 690; y += 64)
                QVERIFY2(game->drawnBetween(x, y + 10, x + 10, y) > 50, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
    }

    void theHexagonStaysWithinItsCorners()
    {
        TimeSeededRandom real;
        real.seed(777.0f);
        game->reopen(real);
        game->form().PointX = FormValue::single(490);
        game->form().PointY = FormValue::single(375);
        game->click("cmdHexagon");

        const QPolygonF grown = QTransform().translate(490, 375).scale(1.01, 1.01).translate(-490, -375).map(hexagon);
        QCOMPARE(drawnOutside([&](double x, double y) { return grown.containsPoint({x, y}, Qt::OddEvenFill); }), 0);
        // The side points at y = 350, not 375; the bottom edge centred on 490.
        QVERIFY(game->drawnBetween(150, 353, 160, 347) > 0);
        QVERIFY(game->drawnBetween(330, 55, 338, 50) > 0);
        QVERIFY(game->drawnBetween(642, 55, 650, 50) > 0);
    }

    void completeIsPrintedInTheInheritedStyle_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QPointF>("at");
        QTest::newRow("square") << "cmdSquare" << QPointF(330, 30);
        QTest::newRow("hexagon") << "cmdHexagon" << QPointF(490, 30);
    }

    void completeIsPrintedInTheInheritedStyle()
    {
        QFETCH(QString, mode);
        QFETCH(QPointF, at);
        Canvas &canvas = game->canvas();
        canvas.setFontName(QStringLiteral("Serif"));
        canvas.setFontBold(true);
        canvas.setFontSize(14);
        game->click(mode.toLatin1().constData());

        QCOMPARE(canvas.fontSize(), 10.0);
        QVERIFY(canvas.fontBold());
        QCOMPARE(canvas.fontName(), QStringLiteral("Serif"));
        ReferenceCanvas expected;
        expected.setFontName(QStringLiteral("Serif"));
        expected.setFontBold(true);
        expected.setFontSize(10);
        expected.setCurrentPosition(at.x(), at.y());
        expected.printLine(QStringLiteral("Complete"));
        // The dots settle on corner 1, well above the line.
        QCOMPARE(game->region(at.x() - 10, 32, at.x() + 120, 0.1), expected.region(at.x() - 10, 32, at.x() + 120, 0.1));
        QCOMPARE(canvas.currentX(), 0.0);
        QCOMPARE(canvas.currentY(), expected.currentY());
    }
};

QTEST_MAIN(SquareHexGameTest)
#include "tst_squarehexgame.moc"
