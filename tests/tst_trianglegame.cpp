#include "app/mainwindow.h"
#include "canvas/canvas.h"
#include "canvas/numbertext.h"
#include "testsupport.h"

#include <QPushButton>
#include <QtTest>

#include <cmath>

// "&Play Chaos Game" with a scripted random source and a clock whose pauses
// take no time, so that a whole run of 500,000 dots is exact and quick.
class TriangleGameTest : public QObject
{
    Q_OBJECT

private:
    FakeClock clock;
    ScriptedRandom random{{0.0}};
    QPointer<MainWindow> window;

    Canvas &canvas() { return window->canvas(); }
    QPushButton *button(const char *name) { return window->findChild<QPushButton *>(QLatin1String(name)); }
    void play() { button("cmdPlay")->click(); }

    QRgb background() { return colourFromPacked(PackedColour::ButtonFace, canvas().palette()).rgb(); }

    bool drawnAt(double x, double y) { return canvas().colourAt(x, y).rgb() != background(); }

    // Whether the rectangle between two user points holds any drawn pixel.
    bool anyDrawnBetween(double x1, double y1, double x2, double y2)
    {
        const QImage image = canvas().picture();
        const QRect area = QRect(canvas().pixelOf(x1, y1), canvas().pixelOf(x2, y2)).normalized();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (image.valid(x, y) && image.pixel(x, y) != background())
                    return true;
        return false;
    }

private slots:
    void init()
    {
        clock.pauses = 0;
        clock.onPause = nullptr;
        random.setValues({0.0});
        window = new MainWindow(random, clock);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }

    void cleanup() { delete window.data(); }

    void aRunSetsHalfAMillionDotsWithAPauseEveryThousand()
    {
        std::vector<quint64> pausedAt;
        clock.onPause = [&] { pausedAt.push_back(canvas().pointsSet()); };
        const quint64 before = canvas().pointsSet();
        play();

        // The start point is not plotted: exactly 500,000 points, and the
        // random source gave two values for the start and one per dot.
        QCOMPARE(canvas().pointsSet() - before, quint64(500000));
        QCOMPARE(random.drawn, 2L + 500000);
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
        Canvas expected(canvas().size());
        expected.setScale(0, 750, 1000, 0);
        expected.clear();
        expected.setFontName(QString());
        expected.setFontSize(10);
        expected.setFontBold(false);
        for (int i = 0; i < 10; ++i) {
            expected.setCurrentPosition(950, 300 - 15 * i);
            expected.printLine(numberText(9 - i));
        }
        expected.setCurrentPosition(935, 145);
        expected.printLine(QStringLiteral("Complete"));

        const QRect column = QRect(canvas().pixelOf(900, 320), canvas().pixelOf(1000, 100)).intersected(
            canvas().picture().rect());
        QCOMPARE(canvas().picture().copy(column), expected.picture().copy(column));
        QCOMPARE(canvas().currentX(), expected.currentX());
        QCOMPARE(canvas().currentY(), expected.currentY());
    }

    void theRunLeavesItsStateBehind()
    {
        window->formState().TrackingActive = FormValue::integer(1);
        button("cmdScreen2")->show();
        canvas().setDrawWidth(3);
        canvas().setFontSize(14);
        canvas().setFontBold(true);
        canvas().setFontName(QStringLiteral("Serif"));

        play();

        const FormState &form = window->formState();
        QCOMPARE(form.TrackingActive.kind(), FormValue::Kind::Integer);
        QCOMPARE(form.TrackingActive.toDouble(), 0.0);
        QVERIFY(!button("cmdScreen2")->isVisible());
        QCOMPARE(canvas().drawWidth(), 1);
        QCOMPARE(canvas().fontSize(), 10.0);
        QCOMPARE(canvas().fontBold(), false);
        QCOMPARE(canvas().fontName(), QString());

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
        random.setValues({largest});
        play();
        const FormState &form = window->formState();
        QCOMPARE(form.Corner.toDouble(), 3.0);
        QCOMPARE(form.PointX.toDouble(), 950.0);
        QCOMPARE(form.PointY.toDouble(), 50.0);
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
        random.setValues({r});
        play();
        const FormState &form = window->formState();
        QCOMPARE(form.Corner.toDouble(), corner);
        QCOMPARE(form.PointX.toDouble(), settlesAt.x());
        QCOMPARE(form.PointY.toDouble(), settlesAt.y());
    }

    void theFigureIsTheSierpinskiTriangleOnTheCornerTable()
    {
        TimeSeededRandom real;
        real.seed(12345.0f);
        delete window.data();
        window = new MainWindow(real, clock);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        play();

        // Dots right at the three corners, the apex at x = 475, not 500.
        QVERIFY(anyDrawnBetween(470, 724, 480, 720));
        QVERIFY(anyDrawnBetween(50, 55, 56, 50));
        QVERIFY(anyDrawnBetween(944, 55, 950, 50));
        QVERIFY(!anyDrawnBetween(497, 724, 503, 720));

        // The big hole in the middle, between the sides' midpoints
        // (262.5, 387.5), (712.5, 387.5) and (500, 50), stays empty.
        QVERIFY(!anyDrawnBetween(450, 340, 530, 200));
        // Nothing below the base or above the apex, apart from at most a
        // few stray dots on the way in from the start point.
        int stray = 0;
        for (double x = 0; x < 1000; x += 2)
            stray += drawnAt(x, 20) + drawnAt(x, 745);
        QVERIFY(stray <= 2);
    }

    void aSecondRunClearsTheFirst()
    {
        play();
        canvas().setDrawWidth(1);
        canvas().setPoint(10, 740);
        QVERIFY(drawnAt(10, 740));
        random.setValues({0.9});
        play();
        QVERIFY(!drawnAt(10, 740));
        QVERIFY(!anyDrawnBetween(470, 724, 480, 720)); // the first run's apex dots are gone
    }
};

QTEST_MAIN(TriangleGameTest)
#include "tst_trianglegame.moc"
