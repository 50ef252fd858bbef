// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QPushButton>
#include <QtTest>

#include <memory>

// "&Track the Chaos Game" and the steps that clicks on the canvas make.
class TrackedGameTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;
    const QColor red{255, 0, 0};
    const QColor green{0, 255, 0};
    const QColor black{0, 0, 0};

    // r for corner 1, 2 and 3.
    static double rFor(int corner) { return (corner - 1) / 3.0 + 0.1; }

    void setUp() { game->click("cmdTrack"); }

    // What a click on the canvas changes, if anything.
    bool clickChangesNothing()
    {
        const QImage before = game->canvas().picture();
        const FormState formBefore = game->form();
        game->clickCanvas();
        const FormState &after = game->form();
        return game->canvas().picture() == before && after.PointX.toDouble() == formBefore.PointX.toDouble()
            && after.PointX.kind() == formBefore.PointX.kind() && after.Corner.kind() == formBefore.Corner.kind()
            && after.Corner.toDouble() == formBefore.Corner.toDouble();
    }

private slots:
    void init() { game = std::make_unique<GameWindow>(); }
    void cleanup() { game.reset(); }

    void theBoardShowsCornersStartPointAndRing()
    {
        game->random.setValues({rFor(2)});
        setUp();
        Canvas &canvas = game->canvas();

        for (QPointF corner : {QPointF(500, 700), QPointF(50, 50), QPointF(950, 50)})
            QCOMPARE(canvas.colourAt(corner.x(), corner.y()), red);
        QCOMPARE(canvas.colourAt(785, 570), green);
        // The ring, 11 units round corner 2, and no ring round corner 1.
        QCOMPARE(canvas.colourAt(50 + 11, 50), red);
        QCOMPARE(canvas.colourAt(50 - 11, 50), red);
        QVERIFY(canvas.colourAt(500 + 11, 700) != red);
        // Labels beside the corners, the instructions and "Start point".
        QVERIFY(game->drawnBetween(495, 730, 505, 715) > 0);
        QVERIFY(game->drawnBetween(25, 50, 33, 40) > 0);
        QVERIFY(game->drawnBetween(975, 50, 985, 40) > 0);
        QVERIFY(game->drawnBetween(700, 700, 880, 630) > 200);
        QVERIFY(game->drawnBetween(750, 610, 830, 595) > 30);

        const FormState &form = game->form();
        QCOMPARE(form.TrackingActive.toDouble(), 1.0);
        QCOMPARE(form.Corner.toDouble(), 2.0);
        QCOMPARE(form.PointX.toDouble(), 785.0);
        QCOMPARE(form.PointY.toDouble(), 570.0);
        QVERIFY(!game->button("cmdScreen2")->isVisible());
        // Left behind: bold from "Start point", size 10, ring drawing state.
        QVERIFY(canvas.fontBold());
        QCOMPARE(canvas.fontSize(), 10.0);
        QCOMPARE(canvas.fontName(), QString());
        QCOMPARE(canvas.drawWidth(), 3);
        QCOMPARE(canvas.fillStyle(), Canvas::FillStyle::Transparent);
        QCOMPARE(canvas.fillColour(), PackedColour::Red);
    }

    void theFirstStepLandsHalfWayToTheRingedCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QPointF>("landing");
        QTest::newRow("corner 1") << 1 << QPointF(642.5, 635);
        QTest::newRow("corner 2") << 2 << QPointF(417.5, 310);
        QTest::newRow("corner 3") << 3 << QPointF(867.5, 310);
    }

    void theFirstStepLandsHalfWayToTheRingedCorner()
    {
        QFETCH(int, corner);
        QFETCH(QPointF, landing);
        game->random.setValues({rFor(corner), rFor(1)});
        setUp();
        game->clickCanvas(); // far from the half-way point: the aim does not matter

        const FormState &form = game->form();
        QCOMPARE(form.PointX.kind(), FormValue::Kind::Double);
        QCOMPARE(form.PointX.toDouble(), landing.x());
        QCOMPARE(form.PointY.toDouble(), landing.y());
        QCOMPARE(game->canvas().colourAt(landing.x(), landing.y()), black);
        QCOMPARE(form.Corner.toDouble(), 1.0);
    }

    void theRingMovesAndStaysWhenTheCornerRepeats()
    {
        game->random.setValues({rFor(1), rFor(3), rFor(3)});
        setUp();
        Canvas &canvas = game->canvas();
        game->clickCanvas();
        // Erased by painting in the background colour; the corner dot stays.
        QCOMPARE(canvas.colourAt(500 + 11, 700), QColor(game->background()));
        QCOMPARE(canvas.colourAt(500, 700), red);
        QCOMPARE(canvas.colourAt(950 + 11, 50), red);

        game->clickCanvas(); // corner 3 again: erased and drawn again
        QCOMPARE(canvas.colourAt(950 + 11, 50), red);
        QCOMPARE(canvas.colourAt(950 - 11, 50), red);
        QCOMPARE(game->form().Corner.toDouble(), 3.0);
    }

    void aStepReplacesTheInstructions()
    {
        setUp();
        const QImage setUpInstructions = game->region(700, 700, 900, 500);
        game->clickCanvas();

        QVERIFY(!game->drawnAt(785, 570)); // the green start dot is painted over
        QCOMPARE(game->drawnBetween(700, 640, 899, 501), 0);
        QVERIFY(game->drawnBetween(700, 700, 899, 650) > 200);
        QVERIFY(game->region(700, 700, 900, 500) != setUpInstructions);
        QVERIFY(!game->canvas().fontBold());

        // The same two lines again after the next step: nothing is left over.
        const QImage firstStep = game->region(700, 700, 900, 500);
        game->clickCanvas();
        QCOMPARE(game->region(700, 700, 900, 500), firstStep);
    }

    void theLabelsTakeTheFontTheCanvasHolds()
    {
        // Pressed twice with no click between: the second board's labels
        // come out in bold size 10, left over from "Start point".
        setUp();
        setUp();
        ReferenceCanvas expected;
        expected.setFontName(QString());
        expected.setFontSize(10);
        expected.setFontBold(true);
        expected.setCurrentPosition(25, 50);
        expected.printLine(QStringLiteral("2"));
        QCOMPARE(game->region(20, 55, 40, 30), expected.region(20, 55, 40, 30));

        // After a step, size 10 and not bold.
        game->clickCanvas();
        setUp();
        ReferenceCanvas plain;
        plain.setFontName(QString());
        plain.setFontSize(10);
        plain.setCurrentPosition(25, 50);
        plain.printLine(QStringLiteral("2"));
        QCOMPARE(game->region(20, 55, 40, 30), plain.region(20, 55, 40, 30));
    }

    void aClickBeforeTheGameWasEverSetUpDoesNothing()
    {
        QVERIFY(clickChangesNothing());
        QVERIFY(game->form().PointX.isEmpty());
        QVERIFY(game->form().Corner.isEmpty());
    }

    void onlyThePrimaryButtonSteps()
    {
        setUp();
        const QImage before = game->canvas().picture();
        game->clickCanvas(Qt::RightButton);
        game->clickCanvas(Qt::MiddleButton);
        QCOMPARE(game->canvas().picture(), before);
        QCOMPARE(game->form().PointX.toDouble(), 785.0);
    }

    void everyOtherModeDisarmsTheGame_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char *name : {"cmdPlay", "cmdSquare", "cmdHexagon", "cmdFractional"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyOtherModeDisarmsTheGame()
    {
        QFETCH(QString, mode);
        setUp();
        if (mode == QLatin1String("cmdFractional"))
            answerNextFraction(QStringLiteral("0.5"));
        game->click(mode.toLatin1().constData());
        QCOMPARE(game->form().TrackingActive.toDouble(), 0.0);
        QVERIFY(clickChangesNothing());
    }

    void settingUpAgainStartsOver()
    {
        game->random.setValues({rFor(1), rFor(2), rFor(3)});
        setUp();
        game->clickCanvas();
        game->clickCanvas();
        setUp();
        QCOMPARE(game->form().PointX.toDouble(), 785.0);
        QCOMPARE(game->form().PointY.toDouble(), 570.0);
        QCOMPARE(game->canvas().colourAt(785, 570), green);
        QCOMPARE(game->drawnBetween(300, 500, 600, 200), 0); // the step dots are gone
    }
};

QTEST_MAIN(TrackedGameTest)
#include "tst_trackedgame.moc"
