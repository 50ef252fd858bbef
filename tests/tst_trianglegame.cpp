// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/numbertext.h"
#include "testsupport.h"

#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

// "&Play Chaos Game" with a scripted random source and a clock whose pauses
// take no time, so that a whole run of 500,000 dots is exact and quick.
class TriangleGameTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;

    void play() { game->click("cmdPlay"); }

private slots:
    void init() { game = std::make_unique<GameWindow>(); }
    void cleanup() { game.reset(); }

    void aRunSetsHalfAMillionDotsWithAPauseEveryThousand()
    {
        std::vector<quint64> pausedAt;
        game->clock.onPause = [&] { pausedAt.push_back(game->canvas().pointsSet()); };
        const quint64 before = game->canvas().pointsSet();
        play();

        // The start point is not plotted: exactly 500,000 points, and the
        // random source gave two values for the start and one per dot.
        QCOMPARE(game->canvas().pointsSet() - before, quint64(500000));
        QCOMPARE(game->random.drawn, 2L + 500000);
        QCOMPARE(pausedAt.size(), std::size_t(500));
        for (std::size_t i = 0; i < pausedAt.size(); ++i)
            QCOMPARE(pausedAt[i] - before, quint64(1000 * (i + 1)));
    }

    void theCountdownAndCompleteStandAtTheRight()
    {
        // Always the apex corner: the dots gather at (475, 725), far from the read-outs.
        play();

        // The same texts printed at the expected places on a fresh canvas
        // must give exactly the same pixels in the read-out column.
        ReferenceCanvas expected;
        expected.setFontName(QString());
        expected.setFontSize(10);
        expected.setFontBold(false);
        for (int i = 0; i < 10; ++i) {
            expected.setCurrentPosition(950, 300 - 15 * i);
            expected.printLine(numberText(9 - i));
        }
        expected.setCurrentPosition(935, 145);
        expected.printLine(QStringLiteral("Complete"));

        QCOMPARE(game->region(900, 320, 999.9, 100), expected.region(900, 320, 999.9, 100));
        QCOMPARE(game->canvas().currentX(), expected.currentX());
        QCOMPARE(game->canvas().currentY(), expected.currentY());
    }

    void theRunLeavesItsStateBehind()
    {
        Canvas &canvas = game->canvas();
        game->form().TrackingActive = FormValue::integer(1);
        game->button("cmdScreen2")->show();
        canvas.setDrawWidth(3);
        canvas.setFontSize(14);
        canvas.setFontBold(true);
        canvas.setFontName(QStringLiteral("Serif"));

        play();

        const FormState &form = game->form();
        QCOMPARE(form.TrackingActive.kind(), FormValue::Kind::Integer);
        QCOMPARE(form.TrackingActive.toDouble(), 0.0);
        QVERIFY(!game->button("cmdScreen2")->isVisible());
        QCOMPARE(canvas.drawWidth(), 1);
        QCOMPARE(canvas.fontSize(), 10.0);
        QCOMPARE(canvas.fontBold(), false);
        QCOMPARE(canvas.fontName(), QString());

        // r = 0 always: start (1, 1), then always the apex, where the point
        // settles exactly at (475, 725) in single precision.
        QCOMPARE(form.PointX.kind(), FormValue::Kind::Single);
        QCOMPARE(form.PointX.toDouble(), 475.0);
        QCOMPARE(form.PointY.toDouble(), 725.0);
        QCOMPARE(form.Corner.kind(), FormValue::Kind::Single);
        QCOMPARE(form.Corner.toDouble(), 1.0);
    }

    void theLargestValueBelowOneStillDrawsTheLastCorner()
    {
        const double largest = std::nextafter(1.0, 0.0);
        for (int n : {3, 4, 6, 750, 1000}) {
            ScriptedRandom high({largest});
            QCOMPARE(drawOneTo(high, n), n);
            ScriptedRandom low({0.0});
            QCOMPARE(drawOneTo(low, n), 1);
        }

        // Start (1000, 750), then always the bottom-right corner (950, 50).
        game->random.setValues({largest});
        play();
        QCOMPARE(game->form().Corner.toDouble(), 3.0);
        QCOMPARE(game->form().PointX.toDouble(), 950.0);
        QCOMPARE(game->form().PointY.toDouble(), 50.0);
    }

    void drawingOneCornerOverAndOverSettlesOnIt_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("corner");
        QTest::addColumn<QPointF>("settlesAt");
        QTest::newRow("apex") << 0.1 << 1.0 << QPointF(475, 725);
        QTest::newRow("bottom left") << 0.5 << 2.0 << QPointF(50, 50);
        QTest::newRow("bottom right") << 0.7 << 3.0 << QPointF(950, 50);
    }

    void drawingOneCornerOverAndOverSettlesOnIt()
    {
        QFETCH(double, r);
        QFETCH(double, corner);
        QFETCH(QPointF, settlesAt);
        game->random.setValues({r});
        play();
        QCOMPARE(game->form().Corner.toDouble(), corner);
        QCOMPARE(game->form().PointX.toDouble(), settlesAt.x());
        QCOMPARE(game->form().PointY.toDouble(), settlesAt.y());
    }

    void theFigureIsTheSierpinskiTriangleOnTheCornerTable()
    {
        TimeSeededRandom real;
        real.seed(12345.0f);
        game->reopen(real);
        play();

        // Dots right at the three corners, the apex at x = 475, not 500.
        QVERIFY(game->drawnBetween(470, 724, 480, 720) > 0);
        QVERIFY(game->drawnBetween(50, 55, 56, 50) > 0);
        QVERIFY(game->drawnBetween(944, 55, 950, 50) > 0);
        QCOMPARE(game->drawnBetween(497, 724, 503, 720), 0);

        // The big hole in the middle, between the sides' midpoints
        // (262.5, 387.5), (712.5, 387.5) and (500, 50), stays empty.
        QCOMPARE(game->drawnBetween(450, 340, 530, 200), 0);
        // Nothing below the base or above the apex, apart from at most a
        // few stray dots on the way in from the start point.
        QVERIFY(game->drawnBetween(0, 30, 999.9, 0.1) + game->drawnBetween(0, 749.9, 999.9, 740) <= 3);
    }

    void aSecondRunClearsTheFirst()
    {
        play();
        game->canvas().setPoint(10, 740);
        QVERIFY(game->drawnAt(10, 740));
        game->random.setValues({0.9});
        play();
        QVERIFY(!game->drawnAt(10, 740));
        QCOMPARE(game->drawnBetween(470, 724, 480, 720), 0); // the first run's apex dots are gone
    }

    // A pause returns to the event loop: other work (a timer, a repaint, the
    // Explorer) goes on between the game's ticks, and the game resumes on
    // the next tick to draw exactly what it draws in one go.
    void aRunReturnsToTheEventLoopAtEveryPause()
    {
        play();
        const QImage inOneGo = game->canvas().picture();

        game = std::make_unique<GameWindow>();
        game->clock.throughEventLoop = true;
        int timerRuns = 0, runningWhenTimed = 0;
        QTimer beside;
        connect(&beside, &QTimer::timeout, [&] {
            ++timerRuns;
            runningWhenTimed += game->modeRunning();
        });
        beside.start(0);
        game->button("cmdPlay")->click();
        QVERIFY(game->modeRunning()); // the click returned at the first pause
        QTRY_VERIFY_WITH_TIMEOUT(!game->modeRunning(), 20000);
        beside.stop();

        QCOMPARE(game->clock.pauses, 500);
        QVERIFY2(runningWhenTimed >= 100, qPrintable(QString::number(runningWhenTimed)));
        QCOMPARE(game->canvas().picture(), inOneGo);
    }

    // The window closed by the user mid-run closes after the run; a window
    // destroyed mid-run stops the game at its pause, and nothing resumes it.
    void aRunEndsCleanlyWhenItsWindowGoes()
    {
        game->clock.throughEventLoop = true;
        game->clock.onPause = [this] {
            if (game->clock.pauses == 10)
                game->window().close();
        };
        QPointer<MainWindow> window = &game->window();
        game->button("cmdPlay")->click();
        QTRY_VERIFY_WITH_TIMEOUT(window.isNull(), 20000);
        QCOMPARE(game->clock.pauses, 500);

        game = std::make_unique<GameWindow>();
        game->clock.throughEventLoop = true;
        game->clock.onPause = [this] {
            if (game->clock.pauses == 10)
                QTimer::singleShot(0, &game->window(), [this] { delete &game->window(); });
        };
        game->button("cmdPlay")->click();
        QTest::qWait(200);
        QCOMPARE(game->clock.pauses, 10);
    }
};

QTEST_MAIN(TriangleGameTest)
#include "tst_trianglegame.moc"
