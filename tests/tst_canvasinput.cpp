// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

// The canvas from the keyboard and its context menu: Space and Enter step the
// tracked game as a click does; the context menu never steps it.
class CanvasInputTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;

    struct Snapshot
    {
        QImage picture;
        double pointX, pointY, corner;

        explicit Snapshot(GameWindow &game)
            : picture(game.canvas().picture())
            , pointX(game.form().PointX.toDouble())
            , pointY(game.form().PointY.toDouble())
            , corner(game.form().Corner.toDouble())
        {
        }
        bool operator==(const Snapshot &other) const
        {
            return picture == other.picture && pointX == other.pointX && pointY == other.pointY
                && corner == other.corner;
        }
    };

    void pressOnCanvas(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        game->canvas().setFocus();
        QTest::keyClick(&game->canvas(), Qt::Key(key), modifiers);
    }

    // A right click as the window system delivers it, so that Qt turns it
    // into a context-menu request. The menu that opens is read and closed.
    QStringList rightClickCanvasMenu()
    {
        QStringList items;
        whenMenuOpens([&items](QMenu *menu) {
            for (QAction *action : menu->actions())
                items.append(action->text() + QLatin1Char('\t') + action->shortcut().toString());
            menu->close();
        });
        const QPoint at = game->canvas().mapTo(&game->window(), QPoint(400, 300));
        QTest::mouseClick(game->window().windowHandle(), Qt::RightButton, {}, at);
        if (!QTest::qWaitFor([&items] { return !items.isEmpty(); }))
            qWarning("no context menu opened");
        return items;
    }

private slots:
    void init()
    {
        game = std::make_unique<GameWindow>();
        QVERIFY(game->activate());
    }
    void cleanup() { game.reset(); }

    void spaceAndEnterStepAsAClickDoes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier);
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void spaceAndEnterStepAsAClickDoes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);

        // The same board stepped twice by clicks in one window, by keys in the other.
        GameWindow clicked;
        clicked.click("cmdTrack");
        clicked.clickCanvas();
        clicked.clickCanvas();

        game->click("cmdTrack");
        const Snapshot setUp(*game);
        pressOnCanvas(key, Qt::KeyboardModifiers(modifiers));
        QVERIFY(!(Snapshot(*game) == setUp));
        pressOnCanvas(key, Qt::KeyboardModifiers(modifiers));

        QCOMPARE(game->form().PointX.toDouble(), clicked.form().PointX.toDouble());
        QCOMPARE(game->form().PointY.toDouble(), clicked.form().PointY.toDouble());
        QVERIFY(Snapshot(*game) == Snapshot(clicked));
    }

    void keysDoNothingWhileNoGameIsArmed()
    {
        // Before any mode, and after another mode disarmed the game.
        const Snapshot atStart(*game);
        pressOnCanvas(Qt::Key_Space);
        pressOnCanvas(Qt::Key_Return);
        QVERIFY(Snapshot(*game) == atStart);
        QVERIFY(game->form().PointX.isEmpty());

        game->click("cmdTrack");
        game->click("cmdSquare");
        const Snapshot afterSquare(*game);
        pressOnCanvas(Qt::Key_Space);
        pressOnCanvas(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(Snapshot(*game) == afterSquare);
    }

    void aHeldKeyStepsOnce()
    {
        game->click("cmdTrack");
        game->canvas().setFocus();
        QKeyEvent first(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(&game->canvas(), &first);
        const Snapshot afterOne(*game);
        QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(&game->canvas(), &repeated);
        QVERIFY(Snapshot(*game) == afterOne);
    }

    void otherKeysAndChordsDoNotStep()
    {
        game->click("cmdTrack");
        const Snapshot setUp(*game);
        pressOnCanvas(Qt::Key_A);
        pressOnCanvas(Qt::Key_Space, Qt::ShiftModifier);
        pressOnCanvas(Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(Snapshot(*game) == setUp);
        // Tab still moves the focus on.
        pressOnCanvas(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), game->button("cmdTrack"));
    }

    void theContextMenuOffersSaveCopyPrintAndExplore()
    {
        const QStringList items = rightClickCanvasMenu();
        QCOMPARE(items, QStringList({QStringLiteral("&Save Picture As\u2026\tCtrl+S"),
                                     QStringLiteral("&Copy Picture\tCtrl+C"),
                                     QStringLiteral("&Print Picture\u2026\tCtrl+P"),
                                     QStringLiteral("&Explore\u2026\tCtrl+E")}));
    }

    void theContextMenuNeverSteps()
    {
        game->click("cmdTrack");
        const Snapshot setUp(*game);

        QVERIFY(!rightClickCanvasMenu().isEmpty());
        QVERIFY(Snapshot(*game) == setUp);

        // The Menu key, which the window system turns into a context-menu
        // request from the keyboard.
        bool opened = false;
        whenMenuOpens([&opened](QMenu *menu) {
            opened = true;
            menu->close();
        });
        Canvas &canvas = game->canvas();
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, canvas.rect().center(),
                                  canvas.mapToGlobal(canvas.rect().center()));
        QApplication::sendEvent(&canvas, &menuKey);
        QTRY_VERIFY(opened);
        QVERIFY(Snapshot(*game) == setUp);

        // The primary button still steps.
        game->clickCanvas();
        QVERIFY(!(Snapshot(*game) == setUp));
    }
};

QTEST_MAIN(CanvasInputTest)
#include "tst_canvasinput.moc"
