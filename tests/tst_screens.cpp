// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/splashwindow.h"
#include "testsupport.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include <memory>

// The program on a 1920 x 1080 projector, and moved to a high-DPI screen
// (device pixel ratio 2) beside it.
class ScreensTest : public QObject
{
    Q_OBJECT

private:
    static QScreen *screenNamed(const char *name)
    {
        for (QScreen *screen : QGuiApplication::screens())
            if (screen->name() == QLatin1String(name))
                return screen;
        qFatal("no screen %s", name);
    }

    static MainWindow *mainWindow()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<MainWindow *>(widget))
                return window;
        return nullptr;
    }

    static void moveTo(QWidget &window, QScreen *screen)
    {
        window.windowHandle()->setScreen(screen);
        QTRY_COMPARE(window.screen(), screen);
        QCoreApplication::processEvents();
    }

private slots:
    void theStartUpWindowScalesLikeTheMainWindowAndStaysCentred()
    {
        FakeClock clock;
        ScriptedRandom random{{0.5}};
        QPointer<SplashWindow> splash = new SplashWindow(random, clock);
        splash->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash));

        QScreen *projector = screenNamed("projector");
        QCOMPARE(splash->screen(), projector);
        const double s = 1061.0 / 749; // 1080 less a title bar, over the layout's 749
        QVERIFY2(qAbs(splash->width() - 535 * s) <= 1 && qAbs(splash->height() - 338 * s) <= 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(splash->width()).arg(splash->height())));
        const QPoint offCentre = splash->geometry().center() - projector->geometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        QVERIFY(projector->availableGeometry().contains(splash->geometry()));

        // Every label whole inside the box, its text whole inside the label.
        auto *box = splash->findChild<QFrame *>(QStringLiteral("Frame1"));
        QVERIFY(splash->rect().contains(box->geometry()));
        for (QLabel *label : box->findChildren<QLabel *>()) {
            QVERIFY2(box->rect().contains(label->geometry()), qPrintable(label->objectName()));
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
            QVERIFY(label->font().pointSizeF() > 8.25);
        }

        // The main window it opens, maximised, scales by much the same factor
        // (its real title bar is not quite the one the start-up window assumed).
        QTest::keyClick(splash, Qt::Key_Space);
        QTRY_VERIFY(mainWindow() && mainWindow()->isMaximized());
        QPointer<MainWindow> window = mainWindow();
        QTRY_VERIFY(qAbs(window->canvas().layoutScale() / s - 1) < 0.02);
        QTRY_VERIFY(splash.isNull());
        delete window.data();
    }

    void thePictureFollowsTheWindowToASharpScreenAndBack()
    {
        GameWindow game;
        Canvas &canvas = game.canvas();
        QCOMPARE(canvas.devicePixelRatioF(), 1.0);
        canvas.filledBox(100, 700, 200, 600, PackedColour::Red);
        for (int i = 0; i < 500; ++i)
            canvas.setPoint(300 + i, 300);
        canvas.showDrawing();
        const QImage drawn = canvas.picture();
        QCOMPARE(drawn.size(), QSize(957, 653));

        // Twice the device pixels for the same interior: the picture at the
        // same user positions, and a new dot one device pixel.
        moveTo(game.window(), screenNamed("sharp"));
        QCOMPARE(canvas.devicePixelRatioF(), 2.0);
        QCOMPARE(canvas.picture().size(), QSize(1914, 1306));
        QCOMPARE(canvas.colourAt(150, 650), QColor(255, 0, 0));
        QVERIFY(game.drawnAt(500, 300));
        const int before = game.drawnBetween(0, 150, 999, 100);
        canvas.setPoint(500, 125);
        QCOMPARE(game.drawnBetween(0, 150, 999, 100), before + 1);

        // What the window shows on the sharp screen: the box, in device pixels.
        const QImage onScreen = game.window().grab().toImage();
        QCOMPARE(onScreen.devicePixelRatio(), 2.0);
        const QPoint box = canvas.mapTo(&game.window(), canvas.contentsRect().topLeft()) * 2
                         + canvas.pixelOf(150, 650);
        QCOMPARE(onScreen.pixelColor(box), QColor(255, 0, 0));

        // Back on the projector, with the new dot in the picture.
        moveTo(game.window(), screenNamed("projector"));
        QCOMPARE(canvas.picture().size(), drawn.size());
        QCOMPARE(canvas.colourAt(150, 650), QColor(255, 0, 0));
        QVERIFY(game.drawnBetween(497, 127, 503, 123) > 0);
    }

    void nothingDrawnOnTheSharpScreenBringsBackTheOwnPixels()
    {
        GameWindow game;
        game.canvas().filledBox(100, 700, 200, 600, PackedColour::Red);
        game.canvas().setPoint(333, 333);
        const QImage drawn = game.canvas().picture();
        moveTo(game.window(), screenNamed("sharp"));
        QCOMPARE(game.canvas().picture().size(), QSize(1914, 1306));
        moveTo(game.window(), screenNamed("projector"));
        QCOMPARE(game.canvas().picture(), drawn);
    }

    void f11FillsTheProjectorAndGivesTheMaximisedWindowBack()
    {
        FakeClock clock;
        ScriptedRandom random{{0.5}};
        QPointer<MainWindow> window = showMainWindow(random, clock);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTRY_VERIFY(window->isMaximized());
        const double maximised = window->canvas().layoutScale();
        const auto press = [&](Qt::Key key) { QTest::keyClick(window->windowHandle(), key); };

        // The whole screen, and the layout with it: its height sets the scale.
        // F11 again, or Esc, gives back the maximised window.
        for (const Qt::Key leave : {Qt::Key_F11, Qt::Key_Escape}) {
            press(Qt::Key_F11);
            QTRY_VERIFY(window->isFullScreen());
            QTRY_COMPARE(window->geometry(), screenNamed("projector")->geometry());
            QTRY_VERIFY(qAbs(window->canvas().layoutScale() - 1080.0 / 749) < 0.002);
            QVERIFY(window->canvas().layoutScale() > maximised);
            press(leave);
            QTRY_VERIFY(!window->isFullScreen());
            QVERIFY(window->isMaximized());
            QTRY_COMPARE(window->canvas().layoutScale(), maximised);
        }

        // A box's Esc is the box's: the fraction's box is cancelled, and the
        // window stays full screen, also after the run that follows.
        press(Qt::Key_F11);
        QTRY_VERIFY(window->isFullScreen());
        int boxes = 0;
        std::function<void(QWidget *)> escape = [&](QWidget *box) {
            ++boxes;
            QTest::keyClick(box->windowHandle(), Qt::Key_Escape);
            if (boxes == 1)
                whenModalOpens(escape); // the refusal, "Error", follows
        };
        whenModalOpens(escape);
        QTest::keyClick(window->windowHandle(), Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(boxes, 2);
        QTRY_VERIFY(!openDialog());
        QVERIFY(window->isFullScreen());
        delete window.data();
    }
};

QTEST_MAIN(ScreensTest)
#include "tst_screens.moc"
