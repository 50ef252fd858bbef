// SPDX-License-Identifier: GPL-3.0-or-later
// A large picture drawn while the event loop runs, whichever way the
// program is built to draw it (threads, or slices from the event loop):
// the same picture as the export's, Cancel stops it, and a drawing
// deleted under way stops without a trace.
#include "exploration/posterrender.h"
#include "exploration/presets.h"
#include "explorer/posterdrawing.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(PosterResult)

class PosterDrawingTest : public QObject
{
    Q_OBJECT

private:
    static PosterJob job(std::uint64_t dots)
    {
        return {*presetNamed(QStringLiteral("carpet")), QSize(400, 300), dots, 7, 2, std::nullopt};
    }

private slots:
    void drawsTheExportsPictureWhileTheEventLoopRuns()
    {
        const std::atomic<bool> notCancelled{false};
        const PosterResult expected = renderPoster(job(3'000'001), notCancelled);
        QCOMPARE(expected.outcome, PosterResult::Outcome::Done);

        PosterDrawing drawing(job(3'000'001), nullptr);
        PosterResult result;
        int finished = 0;
        connect(&drawing, &PosterDrawing::finished, this, [&](const PosterResult &r) {
            result = r;
            ++finished;
        });
        // The event loop keeps turning while it draws: a timer set now fires
        // before the drawing ends.
        bool timerFired = false;
        QTimer::singleShot(0, this, [&] { timerFired = finished == 0; });
        drawing.start();
        QTRY_COMPARE_WITH_TIMEOUT(finished, 1, 60000);
        QVERIFY(timerFired);
        QCOMPARE(result.outcome, PosterResult::Outcome::Done);
        QCOMPARE(result.image, expected.image);
        QCOMPARE(drawing.dotsDone(), std::uint64_t(3'000'001));
        QTest::qWait(50);
        QCOMPARE(finished, 1);
    }

    void cancelStopsTheDrawing()
    {
        PosterDrawing drawing(job(50'000'000'000ULL), nullptr);
        PosterResult result{PosterResult::Outcome::Done, {}};
        int finished = 0;
        connect(&drawing, &PosterDrawing::finished, this, [&](const PosterResult &r) {
            result = r;
            ++finished;
        });
        drawing.start();
        QTRY_VERIFY(drawing.dotsDone() > 0);
        drawing.cancel();
        QTRY_COMPARE_WITH_TIMEOUT(finished, 1, 5000);
        QCOMPARE(result.outcome, PosterResult::Outcome::Cancelled);
        QVERIFY(result.image.isNull());
        QVERIFY(drawing.dotsDone() < 50'000'000'000ULL);
    }

    void deletingADrawingUnderWayStopsIt()
    {
        auto *drawing = new PosterDrawing(job(50'000'000'000ULL), nullptr);
        int finished = 0;
        connect(drawing, &PosterDrawing::finished, this, [&] { ++finished; });
        drawing->start();
        QTRY_VERIFY(drawing->dotsDone() > 0);
        QElapsedTimer timer;
        timer.start();
        delete drawing;
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QTest::qWait(50);
        QCOMPARE(finished, 0);
    }
};

QTEST_GUILESS_MAIN(PosterDrawingTest)
#include "tst_posterdrawing.moc"
