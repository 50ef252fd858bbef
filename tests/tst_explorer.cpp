// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"
#include "mainwindow/mainwindow.h"
#include "exploration/explorationfile.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/explorerwindow.h"
#include "exploration/presets.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

// The Chaos Explorer as a user drives it: its run controls, its settings,
// its zoom, its files, and its life beside a classic run in the main window.
class ExplorerTest : public QObject
{
    Q_OBJECT

private:
    QPointer<ExplorerWindow> explorer;

    ExplorerRun &run() { return explorer->run(); }
    template <typename Widget>
    Widget *child(const char *name)
    {
        auto *found = explorer->findChild<Widget *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    // Dark pixels on the light background.
    int dotsShown()
    {
        const QImage image = explorer->view().picture().copy();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += qGray(image.pixel(x, y)) < 128;
        return count;
    }
    void waitForDots(quint64 atLeast)
    {
        QTRY_VERIFY_WITH_TIMEOUT(run().dotsDrawn() >= atLeast, 5000);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        explorer = new ExplorerWindow;
        explorer->applySetup(ExplorerSetup{});
        explorer->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer));
    }
    void cleanup() { delete explorer; }

    void pauseStopsTheCountAndStepAddsOneDot()
    {
        QCOMPARE(explorer->windowTitle(), QStringLiteral("Chaos Explorer"));
        QVERIFY(!explorer->parentWidget());
        run().start();
        waitForDots(10000);
        child<QPushButton>("startPause")->click();
        QVERIFY(!run().isRunning());
        const quint64 paused = run().dotsDrawn();
        QTest::qWait(150);
        QCOMPARE(run().dotsDrawn(), paused);

        child<QPushButton>("step")->click();
        QCOMPARE(run().dotsDrawn(), paused + 1);
        QVERIFY(explorer->view().showsStep());
        child<QPushButton>("draw1000")->click();
        QTRY_COMPARE(run().dotsDrawn(), paused + 1001);
        QVERIFY(!explorer->view().showsStep());

        // Delete clears the figure; Space starts the run again.
        QTest::keyClick(explorer->windowHandle(), Qt::Key_Delete);
        QCOMPARE(run().dotsDrawn(), quint64(0));
        QCOMPARE(dotsShown(), 0);
        QTest::keyClick(explorer->windowHandle(), Qt::Key_Space);
        QVERIFY(run().isRunning());
    }

    void slowSpeedDrawsAtItsRate()
    {
        // The slowest speed: one dot a second, each shown with its move.
        run().pause();
        run().clear();
        child<QSlider>("speed")->setValue(0);
        run().start();
        QTest::qWait(1600);
        QVERIFY2(run().dotsDrawn() >= 1 && run().dotsDrawn() <= 2, qPrintable(QString::number(run().dotsDrawn())));
        QVERIFY(explorer->view().showsStep());
    }

    void settingsRestartTheFigure_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::newRow("preset") << "preset" << int(Qt::Key_Down);
        QTest::newRow("rule") << "rule" << int(Qt::Key_Down);
        QTest::newRow("corners") << "corners" << int(Qt::Key_Up);
        QTest::newRow("centre") << "centre" << int(Qt::Key_Space);
    }
    void settingsRestartTheFigure()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        run().start();
        waitForDots(10000);
        run().pause();
        const ExplorerSetup before = explorer->setup();
        auto *widget = child<QWidget>(control.toLatin1().constData());
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key(key));
        QVERIFY(!(explorer->setup() == before));
        QCOMPARE(run().dotsDrawn(), quint64(0));
        QCOMPARE(dotsShown(), 0);
        run().start();
        waitForDots(1000);
    }

    void ratioFieldTakesFractionsAndNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("ratio");
        QTest::newRow("fraction") << "2/3" << 2.0 / 3;
        QTest::newRow("decimal") << "0.45" << 0.45;
        QTest::newRow("golden") << "golden" << 0.6180339887498949;
        QTest::newRow("out of range keeps the ratio") << "3/2" << 0.5;
        QTest::newRow("no number keeps the ratio") << "half" << 0.5;
    }
    void ratioFieldTakesFractionsAndNames()
    {
        QFETCH(QString, typed);
        QFETCH(double, ratio);
        auto *field = child<QComboBox>("ratio");
        field->setFocus();
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), typed);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QCOMPARE(explorer->setup().settings.ratio, ratio);
        QCOMPARE(child<QSlider>("ratioSlider")->value(), int(std::lround(ratio * 1000)));
    }

    void zoomKeepsThePointUnderThePointer_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("notches");
        QTest::newRow("in at a corner") << QPointF(20, 30) << 3;
        QTest::newRow("in at the middle") << QPointF(-1, -1) << 1;
        QTest::newRow("out near an edge") << QPointF(300, 5) << -2;
    }
    void zoomKeepsThePointUnderThePointer()
    {
        QFETCH(QPointF, at);
        QFETCH(int, notches);
        ExplorerView &view = explorer->view();
        if (at.x() < 0)
            at = QPointF(view.width() / 2.0, view.height() / 2.0);
        const QPointF before = view.figurePointAt(at);
        const double width = view.view().width();
        QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &wheel);
        const QPointF after = view.figurePointAt(at);
        QVERIFY(std::abs(after.x() - before.x()) < 1e-12 && std::abs(after.y() - before.y()) < 1e-12);
        QVERIFY(std::abs(view.view().width() - width / std::pow(1.5, notches)) < 1e-12);
        QVERIFY(!view.showsWholeFigure());
        // The figure is drawn again for the new view; Home shows it whole.
        QTRY_VERIFY(run().dotsDrawn() > 0);
        QTest::keyClick(explorer->windowHandle(), Qt::Key_Home);
        QVERIFY(view.showsWholeFigure());
    }

    void zoomGoesAsDeepAsDoublesResolve()
    {
        ExplorerView &view = explorer->view();
        const QPointF corner(view.width() * 0.1, view.height() * 0.9);
        int zooms = 0;
        while (view.zoomBy(4, corner) && zooms < 1000)
            ++zooms;
        // Some 20 zooms by 4 from a unit figure reach 1e-15 per pixel, a few
        // steps of a double; there the view stops, still a proper rectangle.
        QVERIFY2(zooms >= 19 && zooms <= 24, qPrintable(QString::number(zooms)));
        QVERIFY(view.view().isValid());
        QVERIFY(view.view().width() / view.width() > 1e-17);
    }

    void explorationFilesRoundTrip()
    {
        ExplorerSetup setup;
        setup.settings = {5, true, true, 0.6180339887498949, NextTargetRule::NoNeighbourAfterRepeat, true};
        setup.dotSize = 2;
        setup.dark = true;
        setup.view = FigureView{-0.1, 0.2000000000000001, 0.3, -1.0 / 3};
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("saved.chaos"));
        explorer->applySetup(setup);
        QVERIFY(explorer->saveExploration(path).isEmpty());
        explorer->applySetup(ExplorerSetup{});
        QVERIFY(explorer->openExploration(path).isEmpty());
        QCOMPARE(explorationText(explorer->setup()), explorationText(setup));
        QCOMPARE(explorer->view().dotSize(), 2);
        QCOMPARE(child<QComboBox>("rule")->currentText(), QStringLiteral("no-neighbour-after-repeat"));

        // What cannot be read is refused, naming the line; the setup stays.
        for (const char *bad : {"corners = 13", "ratio = 1", "rule = sometimes", "colour = perhaps",
                                "view = 1 0 0 1", "size = 3", "corners"}) {
            const ExplorationReading reading = readExplorationText(QStringLiteral("# ok\n%1\n").arg(bad));
            QVERIFY2(!reading.setup && reading.problem.startsWith(QLatin1String("Line 2")), bad);
        }

        // --export reads the file too, view and all; --explorer opens it.
        CommandLineRequest request = readCommandLine(
            {"chaos-game", "--export", folder.filePath("a.png"), "--exploration", path, "--size", "100x50"});
        QCOMPARE(int(request.action), int(CommandLineRequest::Action::Export));
        QCOMPARE(request.exportRequest.job.settings.corners, 5);
        QVERIFY(request.exportRequest.job.settings.colourByTarget);
        QVERIFY(request.exportRequest.job.view.has_value());
        QVERIFY(std::abs(request.exportRequest.job.view->width() / request.exportRequest.job.view->height() - 2)
                < 1e-9);
        request = readCommandLine({"chaos-game", "--explorer", path});
        QCOMPARE(int(request.action), int(CommandLineRequest::Action::Explore));
        QCOMPARE(request.explorationFile, path);
        QCOMPARE(int(readCommandLine({"chaos-game", path}).action), int(CommandLineRequest::Action::Explore));
    }

    // A file of a newer format opens as far as this program reads it, with
    // a warning naming what was skipped; in this format a mistake is still
    // refused. Comments may follow a value.
    void newerFormatsOpenWithWarnings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("warning"); // what the one warning names, if any
        QTest::newRow("format 2, an unknown key")
            << "format = 2\ncorners = 4\nsparkle = yes\n" << true << "format 2, this program reads format 1): "
                                                                     "unknown key \"sparkle\".";
        QTest::newRow("format 2, a rule from the future")
            << "# later\nformat = 2\nrule = spiral\ncorners = 4\n" << true << "Line 3 (\"rule = spiral\")";
        QTest::newRow("format 1, an unknown key") << "format = 1\ncorners = 4\nsparkle = yes\n" << false << "";
        QTest::newRow("no format line, an unknown key") << "corners = 4\nsparkle = yes\n" << false << "";
        QTest::newRow("a format that is no number") << "format = new\ncorners = 4\n" << false << "";
        QTest::newRow("comments after values")
            << "format = 1 # this program's\ncorners = 4  # four\nratio = 2/3#two thirds\n" << true << "";
    }
    void newerFormatsOpenWithWarnings()
    {
        QFETCH(QString, text);
        QFETCH(bool, opens);
        QFETCH(QString, warning);
        const ExplorationReading reading = readExplorationText(text);
        QCOMPARE(reading.setup.has_value(), opens);
        if (!opens)
            return;
        QCOMPARE(reading.setup->settings.corners, 4);
        QCOMPARE(reading.setup->settings.rule, NextTargetRule::Any);
        QCOMPARE(reading.warnings.size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty())
            QVERIFY2(reading.warnings.first().contains(warning), qPrintable(reading.warnings.first()));

        // Opened in the window, the figure is shown and the warning told.
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("later.chaos")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size());
        file.close();
        const QString told = explorer->openExploration(file.fileName());
        QCOMPARE(explorer->setup().settings.corners, 4);
        QCOMPARE(told.isEmpty(), warning.isEmpty());
        QVERIFY(told.contains(warning));
    }

    // A ratio keeps the form it was given in, typed in the field, read from
    // a file or given to --ratio; one that came from the slider is written
    // in its shortest form, a preset's as a fraction or "golden".
    void ratiosKeepTheFormTheyWereTypedIn_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("ratio");
        QTest::newRow("two thirds") << "2/3" << 2.0 / 3;
        QTest::newRow("golden") << "golden" << 0.6180339887498949;
        QTest::newRow("a decimal") << "0.45" << 0.45;
        QTest::newRow("three eighths as typed") << "0.375" << 0.375;
        QTest::newRow("a fraction of decimals") << "1/2.5" << 0.4;
    }
    void ratiosKeepTheFormTheyWereTypedIn()
    {
        QFETCH(QString, typed);
        QFETCH(double, ratio);
        const QString line = QStringLiteral("\nratio = %1\n").arg(typed);

        auto *field = child<QComboBox>("ratio");
        field->setFocus();
        field->lineEdit()->selectAll();
        QTest::keyClicks(field->lineEdit(), typed);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QCOMPARE(explorer->setup().settings.ratio, ratio);
        const QString saved = explorationText(explorer->setup());
        QVERIFY2(saved.contains(line), qPrintable(saved));

        const ExplorationReading reading = readExplorationText(saved);
        QVERIFY(reading.setup);
        QCOMPARE(reading.setup->settings.ratio, ratio);
        QCOMPARE(explorationText(*reading.setup), saved);
        explorer->applySetup(*reading.setup);
        QCOMPARE(field->currentText(), typed);

        const CommandLineRequest request = readCommandLine({"chaos-game", "--export", "a.png", "--ratio", typed});
        QCOMPARE(request.exportRequest.job.settings.ratio, ratio);
        ExplorerSetup fromCommandLine;
        fromCommandLine.settings = request.exportRequest.job.settings;
        QVERIFY(explorationText(fromCommandLine).contains(line));
    }
    void ratiosWithoutATypedFormAreWrittenShortest()
    {
        child<QSlider>("ratioSlider")->setValue(300);
        QVERIFY(explorationText(explorer->setup()).contains(QLatin1String("\nratio = 0.3\n")));
        QCOMPARE(child<QComboBox>("ratio")->currentText(), QStringLiteral("0.3"));
        for (const auto &[preset, written] : {std::pair{"carpet", "2/3"}, std::pair{"pentaflake", "golden"},
                                              std::pair{"triangle", "0.5"}}) {
            ExplorerSetup setup;
            setup.settings = *presetNamed(QLatin1String(preset));
            QVERIFY2(explorationText(setup).contains(QStringLiteral("\nratio = %1\n").arg(QLatin1String(written))),
                     preset);
        }
    }

    // At full speed the run rests once the picture stops changing, and the
    // count says the figure is complete; a window no one can see gets no dots.
    void restsWhenThePictureStopsChanging()
    {
        // At the size it opens at, where a longer count once widened the
        // controls, resized the figure and started it afresh, endlessly.
        explorer->resize(explorer->sizeHint());
        QTest::qWait(100);
        const QSize figureSize = explorer->view().size();
        run().start();
        QTRY_VERIFY_WITH_TIMEOUT(run().isComplete(), 20000);
        QCOMPARE(explorer->view().size(), figureSize);
        QVERIFY(!run().isRunning());
        QVERIFY2(child<QLabel>("count")->text().contains(QLatin1String("complete")),
                 qPrintable(child<QLabel>("count")->text()));
        QCOMPARE(child<QPushButton>("startPause")->text(), QStringLiteral("&Start"));
        const quint64 rested = run().dotsDrawn();
        QTest::qWait(500);
        QCOMPARE(run().dotsDrawn(), rested);
        QVERIFY(run().isComplete());
        run().start();
        QVERIFY(!run().isComplete());
        QVERIFY(!child<QLabel>("count")->text().contains(QLatin1String("complete")));
        waitForDots(rested + 1);
    }
    void drawsNothingWhileMinimised()
    {
        run().start();
        waitForDots(1000);
        explorer->showMinimized();
        QTRY_VERIFY(explorer->isMinimized());
        QTest::qWait(100);
        const quint64 hidden = run().dotsDrawn();
        QTest::qWait(400);
        QCOMPARE(run().dotsDrawn(), hidden);
        QVERIFY(run().isRunning());
        explorer->showNormal();
        waitForDots(hidden + 1);
    }

    void keepsDrawingAndTakesInputDuringAClassicRun()
    {
        GameWindow game;
        explorer->raise();
        explorer->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(explorer));
        run().start();
        waitForDots(1000);

        QElapsedTimer during;
        quint64 countAtStart = 0, countBeforeKey = 0, countAfterPause = 0, countAfterStep = 0;
        bool keyGiven = false, pausedDuringRun = false, stepped = false;
        int pausesAfterKey = 0;
        game.clock.onPause = [&] {
            if (!during.isValid()) {
                during.start();
                countAtStart = run().dotsDrawn();
            }
            // The classic game takes its time, as it does on a real clock.
            QThread::msleep(2);
            if (!keyGiven && during.elapsed() > 300) {
                keyGiven = true;
                countBeforeKey = run().dotsDrawn();
                QTest::keyClick(explorer->windowHandle(), Qt::Key_Space);
                pausedDuringRun = !run().isRunning();
                countAfterPause = run().dotsDrawn();
                auto *step = child<QPushButton>("step");
                QTest::mouseClick(explorer->windowHandle(), Qt::LeftButton, {},
                                  step->mapTo(explorer.data(), step->rect().center()));
                countAfterStep = run().dotsDrawn();
                stepped = true;
            } else if (keyGiven) {
                ++pausesAfterKey;
            }
        };
        game.click("cmdPlay");
        game.clock.onPause = nullptr;

        QVERIFY2(keyGiven, "the classic run ended too soon for the test");
        QVERIFY2(countBeforeKey > countAtStart, "the Explorer did not draw during the classic run");
        QVERIFY2(pausedDuringRun, "Space on the Explorer waited for the classic run");
        QVERIFY(stepped);
        QCOMPARE(countAfterStep, countAfterPause + 1);
        QVERIFY(pausesAfterKey > 0);
    }
};

QTEST_MAIN(ExplorerTest)
#include "tst_explorer.moc"
