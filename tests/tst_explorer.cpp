// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/settings.h"
#include "cli/commandline.h"
#include "mainwindow/mainwindow.h"
#include "exploration/explorationfile.h"
#include "exploration/presets.h"
#include "explorer/explorerrun.h"
#include "explorer/explorerview.h"
#include "explorer/explorerwindow.h"
#include "exploration/presets.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTemporaryDir>
#include <QElapsedTimer>
#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressDialog>
#include <QSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

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
    // The program's settings file in the test's own configuration folder,
    // found without QSettings, which would wait on a named pipe left there.
    static QString settingsFile()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/chaos-game/chaos-game.conf");
    }

    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // Each run starts from no remembered exploration.
        QFile::remove(settingsFile());
    }

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
        QElapsedTimer clock;
        clock.start();
        run().start();
        // A late timer may slow it down, but never speed it up: two dots take
        // at least a second, and there is never more than one a second.
        QTRY_VERIFY_WITH_TIMEOUT(run().dotsDrawn() >= 2, 10000);
        const quint64 dots = run().dotsDrawn();
        const qint64 elapsed = clock.elapsed();
        QVERIFY2(elapsed >= 950 && dots <= quint64(1 + elapsed / 1000),
                 qPrintable(QStringLiteral("%1 dots in %2 ms").arg(dots).arg(elapsed)));
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

    // A setting changed after a zoom keeps the view the user zoomed to;
    // another number of corners is a new figure, shown whole. The preset
    // shows while the settings are one, coloured by target or not.
    void settingsKeepTheZoomedViewAndShowTheirPreset_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("viewKept");
        QTest::addColumn<QString>("preset");
        QTest::newRow("colour") << "colour" << int(Qt::Key_Space) << true << "triangle";
        QTest::newRow("background") << "background" << int(Qt::Key_Down) << true << "triangle";
        QTest::newRow("rule") << "rule" << int(Qt::Key_Down) << true << "";
        QTest::newRow("corners") << "corners" << int(Qt::Key_Up) << false << "square";
    }
    void settingsKeepTheZoomedViewAndShowTheirPreset()
    {
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(bool, viewKept);
        QFETCH(QString, preset);
        ExplorerView &view = explorer->view();
        QVERIFY(view.zoomBy(3, QPointF(view.width() * 0.3, view.height() * 0.7)));
        QVERIFY(explorer->setup().view);
        const FigureView zoomed = *explorer->setup().view;
        auto *widget = child<QWidget>(control.toLatin1().constData());
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key(key));
        QCOMPARE(bool(explorer->setup().view), viewKept);
        if (viewKept) {
            QCOMPARE(explorer->setup().view->left, zoomed.left);
            QCOMPARE(explorer->setup().view->top, zoomed.top);
            QVERIFY(!view.showsWholeFigure());
        } else {
            QVERIFY(view.showsWholeFigure());
        }
        QCOMPARE(child<QComboBox>("preset")->currentText(), preset);
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
        QTRY_VERIFY_WITH_TIMEOUT(run().isComplete(), 60000);
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

    // Zoomed in step by step into the square (which it fills), the view is
    // dark all over after a moment's drawing at every depth, down to where
    // doubles stop the zoom, as it is at the whole figure.
    void aDeepViewFillsAsTheWholeFigureDoes()
    {
        ExplorerSetup square;
        square.settings = *presetNamed(QStringLiteral("square"));
        explorer->applySetup(square);
        run().pause();
        ExplorerView &view = explorer->view();
        const QPointF inside = view.widgetPointOf(QPointF(0.3, -0.2));
        const double wholeWidth = view.view().width();
        int zooms = 0;
        for (const double depth : {58.0, 25'000.0, 1e8, 1e12}) {
            while (wholeWidth / view.view().width() < depth && view.zoomBy(1.5, inside))
                ++zooms;
            run().clear();
            run().drawMore(4 * quint64(view.picture().image().width()) * quint64(view.picture().image().height()));
            QTRY_VERIFY_WITH_TIMEOUT(run().dotsPending() == 0, 10000);
            const double dark = double(dotsShown()) / (view.picture().image().width() * view.picture().image().height());
            QVERIFY2(dark > 0.95, qPrintable(QStringLiteral("%1 dark at x%2").arg(dark).arg(wholeWidth / view.view().width())));
        }
        QVERIFY2(wholeWidth / view.view().width() > 1e11, qPrintable(QString::number(zooms)));
    }

    // Save Large Picture shows its count of dots in the locale's digits and
    // takes it back so; its title has room to show whole.
    void largePictureDotsInTheLocalesDigits()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        explorer->findChild<QAction *>(QStringLiteral("actSaveLarge"))->trigger();
        QDialog *asking = nullptr;
        QTRY_VERIFY((asking = explorer->findChild<QDialog *>(QStringLiteral("largePicture"))));
        QLocale::setDefault(before);
        auto *dots = asking->findChild<QLineEdit *>(QStringLiteral("dots"));
        QCOMPARE(dots->text(), QStringLiteral("160,000,000"));
        QVERIFY(asking->minimumWidth() > 2 * asking->fontMetrics().horizontalAdvance(asking->windowTitle()));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        dots->setText(QStringLiteral("1,234"));
        asking->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QLocale::setDefault(before);
        // Taken: the box closed and the file dialog asks for the name.
        QFileDialog *files = nullptr;
        QTRY_VERIFY((files = explorer->findChild<QFileDialog *>()));
        files->reject();
        QTRY_VERIFY(!explorer->findChild<QDialog *>(QStringLiteral("largePicture")));
    }

    // Closing the Explorer while Save Large Picture draws closes it at once
    // and cancels the drawing: nothing is written.
    void closingDuringALargePictureCancelsIt()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("large.png"));
        explorer->findChild<QAction *>(QStringLiteral("actSaveLarge"))->trigger();
        QDialog *asking = nullptr;
        QTRY_VERIFY((asking = explorer->findChild<QDialog *>(QStringLiteral("largePicture"))));
        asking->findChild<QSpinBox *>(QStringLiteral("width"))->setValue(3000);
        asking->findChild<QSpinBox *>(QStringLiteral("height"))->setValue(3000);
        asking->findChild<QLineEdit *>(QStringLiteral("dots"))->setText(QStringLiteral("100000000000"));
        asking->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        QFileDialog *files = nullptr;
        QTRY_VERIFY((files = explorer->findChild<QFileDialog *>()));
        emit files->fileSelected(path);
        files->close();
        QProgressDialog *progress = nullptr;
        QTRY_VERIFY((progress = explorer->findChild<QProgressDialog *>()));
        QVERIFY(progress->isVisible());
        // No modal box: the window manager's close reaches the window.
        QVERIFY(!QApplication::activeModalWidget());
        QTest::qWait(300); // drawing

        QElapsedTimer closing;
        closing.start();
        QVERIFY(explorer->close());
        QTRY_VERIFY_WITH_TIMEOUT(explorer.isNull(), 5000);
        QVERIFY2(closing.elapsed() < 3000, qPrintable(QString::number(closing.elapsed())));
        QTest::qWait(200);
        QVERIFY(!QFile::exists(path));
        explorer = new ExplorerWindow;
    }

    // Pressed far past the figure, minus stops at a few whole figures: the
    // view stays finite, is saved, opens again, and plus zooms in again.
    void zoomingOutStopsAndTheViewStaysUsable()
    {
        ExplorerView &view = explorer->view();
        const FigureView home = view.view();
        for (int press = 0; press < 2000; ++press)
            QTest::keyClick(explorer->windowHandle(), Qt::Key_Minus);
        const FigureView out = view.view();
        QVERIFY(std::isfinite(out.left) && std::isfinite(out.right) && std::isfinite(out.top)
                && std::isfinite(out.bottom));
        QVERIFY2(out.width() > 3 * home.width() && out.width() < 5 * home.width(),
                 qPrintable(QString::number(out.width() / home.width())));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("far.chaos"));
        QCOMPARE(explorer->saveExploration(path), QString());
        explorer->applySetup(ExplorerSetup{});
        QCOMPARE(explorer->openExploration(path), QString());
        QVERIFY(std::abs(explorer->view().view().width() - out.width()) < 1e-9 * out.width());
        QTest::keyClick(explorer->windowHandle(), Qt::Key_Plus);
        QVERIFY(explorer->view().view().width() < out.width());
    }

    // Views and files that cannot be used are refused at once, naming why,
    // and the exploration shown stays.
    void unusableViewsAndFilesAreRefused_data()
    {
        QTest::addColumn<QString>("content"); // empty: a named pipe
        QTest::addColumn<QString>("problem");
        QTest::newRow("overflowing view") << "corners = 5\nview = -1e308 1e308 1e308 -1e308\n"
                                          << "Line 2 (\"view = -1e308 1e308 1e308 -1e308\"): the view's edges";
        QTest::newRow("no number") << "view = nan 1 1 0\n" << "Line 1 (\"view = nan 1 1 0\"): the view's edges must be numbers";
        QTest::newRow("too small for doubles") << "view = 0.5 0.5000000000000001 0.5000000000000001 0.5\n"
                                               << "Line 1 (\"view = 0.5 0.5000000000000001 0.5000000000000001 0.5\"): the view is too small";
        QTest::newRow("named pipe") << QString() << "it is not an ordinary file";
    }
    void unusableViewsAndFilesAreRefused()
    {
        QFETCH(QString, content);
        QFETCH(QString, problem);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("bad.chaos"));
        if (content.isEmpty()) {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#else
            QSKIP("named pipes are a Unix thing");
#endif
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content.toUtf8());
        }
        ExplorerSetup shown;
        shown.settings.corners = 7;
        explorer->applySetup(shown);
        QElapsedTimer timer;
        timer.start();
        const QString refused = explorer->openExploration(path);
        QVERIFY2(refused.contains(problem), qPrintable(refused));
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(explorer->setup().settings.corners, 7);
        const CommandLineRequest request = readCommandLine({"chaos-game", "--export", folder.filePath("a.png"),
                                                            "--exploration", path});
        QCOMPARE(int(request.action), int(CommandLineRequest::Action::Refuse));
        QVERIFY2(request.text.contains(problem), qPrintable(request.text));
    }

    // A remembered exploration with a line that cannot be used: the rest
    // is kept, the user is told once, and the next window is told nothing.
    void aBadRememberedLineIsToldOnceAndTheRestKept()
    {
        delete explorer;
        Settings().setExploration(QStringLiteral("corners = 5\nrule = no-repeat\nview = nan nan nan nan\n"));
        for (int opening = 0; opening < 2; ++opening) {
            explorer = new ExplorerWindow;
            explorer->show();
            QVERIFY(QTest::qWaitForWindowExposed(explorer));
            QCOMPARE(explorer->setup().settings.corners, 5);
            QCOMPARE(explorer->setup().settings.rule, NextTargetRule::NoRepeat);
            QVERIFY(!explorer->setup().view);
            QMessageBox *told = nullptr;
            QTRY_VERIFY_WITH_TIMEOUT((told = explorer->findChild<QMessageBox *>()) || opening == 1, 2000);
            if (opening == 0) {
                QVERIFY2(told->text().contains(QLatin1String("Line 3 (\"view = nan nan nan nan\")")),
                         qPrintable(told->text()));
                told->accept();
            } else {
                QTest::qWait(100);
                QVERIFY(!explorer->findChild<QMessageBox *>());
            }
            delete explorer;
        }
        explorer = new ExplorerWindow;
        explorer->applySetup(ExplorerSetup{});
    }

    // A named pipe in place of the settings file: the window opens at once
    // with the triangle and says why it cannot use its settings.
    void aSettingsFileThatIsAPipeIsToldNotWaitedOn()
    {
#ifdef Q_OS_UNIX
        delete explorer;
        const QString file = settingsFile();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        QElapsedTimer opening;
        opening.start();
        explorer = new ExplorerWindow;
        explorer->show();
        QVERIFY(QTest::qWaitForWindowExposed(explorer));
        QVERIFY(opening.elapsed() < 3000);
        QCOMPARE(explorer->setup().settings.corners, 3);
        QMessageBox *told = nullptr;
        QTRY_VERIFY((told = explorer->findChild<QMessageBox *>()));
        QVERIFY2(told->text().contains(QLatin1String("not an ordinary file")), qPrintable(told->text()));
        told->accept();
        delete explorer;
        QVERIFY(QFile::remove(file));
        explorer = new ExplorerWindow;
#else
        QSKIP("named pipes are a Unix thing");
#endif
    }

    // "1" and Enter in the exact-ratio field is refused (a ratio is less
    // than 1), not completed to an item that starts with it.
    void theRatioFieldCompletesNothing()
    {
        ExplorerSetup setup;
        setup.settings.ratio = 2.0 / 3;
        explorer->applySetup(setup);
        auto *field = child<QComboBox>("ratio");
        field->setFocus();
        field->lineEdit()->selectAll();
        QTest::keyClick(field->lineEdit(), Qt::Key_1);
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);
        QCOMPARE(explorer->setup().settings.ratio, 2.0 / 3);
        QCOMPARE(field->currentText(), QStringLiteral("2/3"));
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
            // The classic game takes its time between pauses.
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
        // The classic game pauses in the event loop, as on a real clock.
        game.clock.throughEventLoop = true;
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
