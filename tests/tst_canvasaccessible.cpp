// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvasaccessible.h"
#include "picture/canvastext.h"
#include "testsupport.h"

#include <QAccessible>
#include <QtTest>

#include <memory>

// The canvas read by a screen reader: the printed lines as text, and one
// notice at the end of each mode that changed them.
class CanvasAccessibleTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;
    // Each text handed to assistive technology, in order.
    std::unique_ptr<QSignalSpy> announcements;

    QAccessibleInterface *canvasInterface() { return QAccessible::queryAccessibleInterface(&game->canvas()); }

    // The whole text as a reader gets it through the text interface.
    QStringList readLines()
    {
        QAccessibleTextInterface *text = canvasInterface()->textInterface();
        if (!text)
            return {QStringLiteral("no text interface")};
        return text->text(0, text->characterCount()).split(QLatin1Char('\n'));
    }

private slots:
    void init()
    {
        game = std::make_unique<GameWindow>();
        announcements = std::make_unique<QSignalSpy>(&game->canvas(), &Canvas::accessibleTextChanged);
    }
    void cleanup()
    {
        announcements.reset();
        game.reset();
    }

    void theCanvasIsAReadOnlyTextToReaders()
    {
        QAccessibleInterface *canvas = canvasInterface();
        QVERIFY(canvas);
        QCOMPARE(canvas->role(), QAccessible::Canvas);
        QCOMPARE(canvas->text(QAccessible::Name), QStringLiteral("Output canvas"));
        QVERIFY(canvas->state().readOnly);
        QVERIFY(canvas->state().focusable);
        QVERIFY(canvas->textInterface());
        QCOMPARE(canvas->textInterface()->characterCount(), 0);
    }

    void theTriangleGameReadsAsItsCountdownAndComplete()
    {
        game->click("cmdPlay");
        QCOMPARE(readLines(), QStringList({"9", "8", "7", "6", "5", "4", "3", "2", "1", "0", "Complete"}));

        // One notice, at the end of the run.
        QCOMPARE(announcements->count(), 1);
        QCOMPARE(announcements->at(0).at(0).toString(), readLines().join(QLatin1Char('\n')));
    }

    void nothingIsAnnouncedWhileAModeRuns()
    {
        game->click("cmdSquare");
        QCOMPARE(readLines(), QStringList{"Complete"});
        announcements->clear();

        QStringList readDuringRun;
        game->clock.onPause = [&] {
            if (readDuringRun.isEmpty())
                readDuringRun = readLines();
        };
        game->click("cmdPlay");
        game->clock.onPause = nullptr;

        // Mid-run, the reader still has the text of the mode before.
        QCOMPARE(readDuringRun, QStringList{"Complete"});
        QCOMPARE(announcements->count(), 1);
    }

    void pageOneReadsAsItsLinesInPrintingOrder()
    {
        // Each print, as the canvas reports it; continuing prints join the next.
        QStringList printed{QString()};
        bool lineOpen = false;
        connect(&game->canvas(), &Canvas::printed, this,
                [&](const QString &text, const QPointF &, const QFont &, bool lineEnded) {
                    if (lineOpen)
                        printed.last() += text;
                    else
                        printed.append(text);
                    lineOpen = !lineEnded;
                });
        printed.clear();
        game->click("cmdExplain");
        for (QString &line : printed)
            line = line.trimmed();

        const QStringList lines = readLines();
        QCOMPARE(lines, printed);
        QVERIFY(lines.size() > 20);
        QCOMPARE(lines.at(1), QStringLiteral("The Chaos Game"));
        const auto heading = lines.indexOf(QStringLiteral("These systems are called  deterministic non-linear dynamical systems."));
        QVERIFY(heading > 1);
        QVERIFY(lines.indexOf(QStringLiteral("\u201CHigh order can arise from repeating a simple rule combined with a random factor.\u201D")) > 1);
        QCOMPARE(announcements->count(), 1);

        // Page two replaces page one; the page itself tells which it is.
        game->click("cmdScreen2");
        QVERIFY(readLines() != lines);
        QCOMPARE(announcements->count(), 2);
    }

    void theSameTextIsNotAnnouncedAgain()
    {
        game->click("cmdSquare");
        game->click("cmdHexagon"); // "Complete" again
        QCOMPARE(announcements->count(), 1);
        // A step with no tracked game laid out changes nothing.
        game->clickCanvas();
        QCOMPARE(announcements->count(), 1);
    }

    void aTrackedStepAnnouncesOnlyTheNewInstructions()
    {
        game->click("cmdTrack");
        QCOMPARE(readLines(), QStringList({"1", "2", "3", "Click on the area that would", "be half-way from the green dot",
                                           "to the randomly chosen corner.", "(marked with a red ring)", "Start point"}));

        // The step paints over the instructions and prints its own.
        game->clickCanvas();
        const QStringList afterStep{"1", "2", "3", "Now click half-way from the new", "point to the next marked corner..."};
        QCOMPARE(readLines(), afterStep);
        QCOMPARE(announcements->count(), 2);

        // The notice names only the lines that changed.
        const TextChange step = textChange(announcements->at(0).at(0).toString(), announcements->at(1).at(0).toString());
        QCOMPARE(step.position, int(QStringLiteral("1\n2\n3\n").size()));
        QCOMPARE(step.removed, QStringLiteral("Click on the area that would\nbe half-way from the green dot\n"
                                              "to the randomly chosen corner.\n(marked with a red ring)\nStart point"));
        QCOMPARE(step.inserted, QStringLiteral("Now click half-way from the new\npoint to the next marked corner..."));

        // Later steps print the same lines: nothing new to say, and no pile-up.
        game->clickCanvas();
        QCOMPARE(readLines(), afterStep);
        QCOMPARE(announcements->count(), 2);
    }

    void theReaderCanMoveThroughTheText()
    {
        game->click("cmdSquare");
        QAccessibleTextInterface *text = canvasInterface()->textInterface();
        QCOMPARE(text->characterCount(), 8);
        QCOMPARE(text->text(2, 5), QStringLiteral("mpl"));
        text->setCursorPosition(3);
        QCOMPARE(text->cursorPosition(), 3);
        text->setCursorPosition(100);
        QCOMPARE(text->cursorPosition(), 8);
        QCOMPARE(text->selectionCount(), 0);
    }

    void textLinesFollowPrintsClearsAndPaintedBoxes()
    {
        CanvasText text;
        text.print(QStringLiteral("  Deterministic:"), QRectF(0, 100, 80, 10), false);
        text.print(QStringLiteral("  the laws predict "), QRectF(80, 100, 200, 10), true);
        text.print(QString(), QRectF(0, 90, 0, 10), true);
        text.print(QStringLiteral("beside"), QRectF(700, 690, 150, 10), true);
        QCOMPARE(text.lines(), QStringList({"Deterministic:  the laws predict", "", "beside"}));

        // A box over the middle of a line hides it; one over its end does not.
        text.paintOver(QRectF(QPointF(0, 99), QPointF(150, 60)));
        QCOMPARE(text.lines(), QStringList({"Deterministic:  the laws predict", "beside"}));
        text.paintOver(QRectF(QPointF(840, 700), QPointF(900, 690)));
        QCOMPARE(text.lines(), QStringList({"Deterministic:  the laws predict", "beside"}));
        text.paintOver(QRectF(QPointF(700, 700), QPointF(900, 500)));
        QCOMPARE(text.text(), QStringLiteral("Deterministic:  the laws predict"));

        // A line left open and then painted over: the next print starts afresh.
        text.print(QStringLiteral("Heading:"), QRectF(700, 640, 50, 10), false);
        text.paintOver(QRectF(QPointF(700, 700), QPointF(900, 500)));
        text.print(QStringLiteral("fresh"), QRectF(0, 40, 40, 10), true);
        QCOMPARE(text.lines(), QStringList({"Deterministic:  the laws predict", "fresh"}));

        text.clear();
        QCOMPARE(text.text(), QString());
    }
};

QTEST_MAIN(CanvasAccessibleTest)
#include "tst_canvasaccessible.moc"
