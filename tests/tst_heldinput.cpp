// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/inputholdback.h"
#include "mainwindow/mainwindow.h"
#include "canvas/canvas.h"
#include "games/fractionalgame.h"
#include "testsupport.h"

#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

// Calls `typeNext` as soon as Qt's event loop turns after `key` has been
// pressed, however soon that is.
class TypeAfterKey : public QObject
{
public:
    TypeAfterKey(Qt::Key key, std::function<void()> typeNext) : m_key(key), m_typeNext(std::move(typeNext))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == m_key) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, this, m_typeNext);
        }
        return false;
    }

private:
    Qt::Key m_key;
    std::function<void()> m_typeNext;
};

// Input given while a mode runs: it is handled after the mode, in the order
// given, with the effect it would have had then; a close request ends the
// program after what came before it and drops what came after. The input
// goes through the window as the window system's would (QTest's QWindow
// overloads), so shortcuts, focus and modality apply as for a user.
class HeldInputTest : public QObject
{
    Q_OBJECT

private:
    FakeClock clock{43200.5f};
    ScriptedRandom random{{0.0}};
    QPointer<MainWindow> window;
    QStringList printed;          // every text the canvas printed, in order
    int dialogsOpened = 0;        // modal dialogs seen by the safety net
    QPointer<QTimer> dialogWatch; // cancels stray dialogs so a fault cannot hang a test

    QWindow *handle() const { return window->windowHandle(); }
    QPushButton *button(const char *name) const
    {
        auto *found = window->findChild<QPushButton *>(QLatin1String(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }
    QPoint centreOf(QWidget *widget) const { return widget->mapTo(window.data(), widget->rect().center()); }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(handle(), key, modifiers); }
    void type(const QString &text)
    {
        for (QChar c : text)
            QTest::keyClick(handle(), c.toLatin1());
    }
    void clickOn(const char *name) { QTest::mouseClick(handle(), Qt::LeftButton, {}, centreOf(button(name))); }
    void clickCanvas()
    {
        QTest::mouseClick(handle(), Qt::LeftButton, {}, window->canvas().mapTo(window.data(), QPoint(40, 40)));
    }

    // Gives `input` during the first pause of the next triangle game, which
    // then runs to its end.
    void duringATriangleGame(const std::function<void()> &input)
    {
        bool given = false;
        clock.onPause = [&] {
            if (!given) {
                given = true;
                input();
            }
        };
        button("cmdPlay")->click();
        clock.onPause = nullptr;
    }

    // Holds `key` down long enough for the keyboard to repeat it `repeats` times.
    void holdDown(Qt::Key key, Qt::KeyboardModifiers modifiers, int repeats)
    {
        const QString text = QKeySequence(key).toString().toLower();
        QTest::simulateEvent(handle(), true, key, modifiers, text, false);
        for (int i = 0; i < repeats; ++i) {
            QTest::simulateEvent(handle(), false, key, modifiers, text, true);
            QTest::simulateEvent(handle(), true, key, modifiers, text, true);
        }
        QTest::simulateEvent(handle(), false, key, modifiers, text, false);
    }
    // Calls `then` once `found` gives a widget, looking every few milliseconds.
    static void whenFound(std::function<QWidget *()> found, std::function<void(QWidget *)> then)
    {
        auto *timer = new QTimer(qApp);
        timer->setInterval(5);
        connect(timer, &QTimer::timeout, timer, [timer, found, then] {
            if (QWidget *widget = found()) {
                timer->deleteLater();
                timer->stop();
                then(widget);
            }
        });
        timer->start();
    }
    static QWidget *fractionBox() { return qobject_cast<QInputDialog *>(openDialog()); }
    // The dots the fractional game draws with `fraction` from the start point
    // (101, 526) with corners 1 and 3 in turn end where the form's point is.
    void checkFractionPlayed(float fraction)
    {
        ScriptedRandom again({0.1, 0.7});
        ReferenceCanvas reference;
        float x = 101, y = 526;
        drawOneTo(again, 1000); // the start point's two draws
        drawOneTo(again, 750);
        playFractionSteps(reference, again, fraction, 700000, x, y);
        QCOMPARE(window->formState().PointX.toSingle(), x);
        QCOMPARE(window->formState().PointY.toSingle(), y);
    }

    int completes() const { return printed.count(QStringLiteral("Complete")); }
    // Nothing waits to be replayed and no dialog is open.
    bool idle() const
    {
        return !window.isNull() && window->findChild<InputHoldBack *>()->waiting() == 0
            && !openDialog();
    }

private slots:
    void init()
    {
        random.setValues({0.0});
        printed.clear();
        dialogsOpened = 0;
        clock.pauses = 0;
        window = new MainWindow(random, clock);
        window->resize(1024, 749); // the whole layout within reach
        connect(&window->canvas(), &Canvas::printed, this,
                [this](const QString &text) { printed << text; });
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));

        dialogWatch = new QTimer(this);
        dialogWatch->setInterval(50);
        connect(dialogWatch, &QTimer::timeout, this, [this] {
            if (auto *dialog = qobject_cast<QDialog *>(openDialog())) {
                ++dialogsOpened;
                dialog->reject();
            }
        });
    }

    void cleanup()
    {
        clock.onPause = nullptr;
        delete dialogWatch.data();
        delete window.data();
    }

    void quitThenAnyModeEndsTheProgramAfterTheRun_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("Quit, Play") << "cmdPlay";
        QTest::newRow("Quit, Square") << "cmdSquare";
        QTest::newRow("Quit, Hexagonal") << "cmdHexagon";
        QTest::newRow("Quit, Fractional") << "cmdFractional";
        QTest::newRow("Quit, Track") << "cmdTrack";
    }

    void quitThenAnyModeEndsTheProgramAfterTheRun()
    {
        QFETCH(QString, then);
        dialogWatch->start();
        duringATriangleGame([&] {
            clickOn("cmdEnd");
            clickOn(then.toLatin1().constData());
        });
        QTRY_VERIFY(window.isNull());
        QCOMPARE(completes(), 1);
        QCOMPARE(clock.pauses, 500);
        QCOMPARE(dialogsOpened, 0);
    }

    void altQThenAltPEndsTheProgramAfterTheRun()
    {
        duringATriangleGame([&] {
            press(Qt::Key_Q, Qt::AltModifier);
            press(Qt::Key_P, Qt::AltModifier);
        });
        QTRY_VERIFY(window.isNull());
        QCOMPARE(completes(), 1);
        QCOMPARE(clock.pauses, 500);
    }

    void aCloseRequestWaitsForWhatCameBeforeItAndDropsWhatCameAfter()
    {
        // The window manager's close (Alt+F4, the title bar) arrives as a
        // close of the window, between two accelerators.
        duringATriangleGame([&] {
            press(Qt::Key_P, Qt::AltModifier);
            window->close();
            clickOn("cmdPlay");
        });
        QVERIFY(!window.isNull());
        QTRY_VERIFY(window.isNull());
        QCOMPARE(completes(), 2); // the run, then the Alt+P game, and no more
        QCOMPARE(clock.pauses, 1000);
    }

    void anAcceleratorThenCanvasClicksStepTheTrackedGame()
    {
        // Each step goes half-way to corner 1, (500, 700), from the start (785, 570).
        duringATriangleGame([&] {
            press(Qt::Key_T, Qt::AltModifier);
            clickCanvas();
            clickCanvas();
            clickCanvas();
        });
        QTRY_COMPARE(window->formState().PointX.toDouble(), 535.625);
        QCOMPARE(window->formState().PointY.toDouble(), 683.75);
        QCOMPARE(window->formState().TrackingActive, 1.0);
        QTRY_COMPARE(printed.count(QStringLiteral("Now click half-way from the new")), 3);
    }

    void quickCanvasClicksDuringARunEachTakeAStep()
    {
        // A double click, then a click: three clicks, three steps.
        duringATriangleGame([&] {
            press(Qt::Key_T, Qt::AltModifier);
            const QPoint at = window->canvas().mapTo(window.data(), QPoint(40, 40));
            QTest::mouseDClick(handle(), Qt::LeftButton, {}, at);
            QTest::mouseClick(handle(), Qt::LeftButton, {}, at);
        });
        QTRY_COMPARE(printed.count(QStringLiteral("Now click half-way from the new")), 3);
    }

    void anAcceleratorThenEnterFollowsThePages()
    {
        // Page one gives "Screen 2" the focus, so the Return after Alt+E shows page two.
        duringATriangleGame([&] {
            press(Qt::Key_E, Qt::AltModifier);
            press(Qt::Key_Return);
        });
        QTRY_VERIFY(printed.contains(QStringLiteral("  The bottom line:")));
        QVERIFY(printed.indexOf(QStringLiteral("  The bottom line:")) > printed.indexOf(QStringLiteral("Complete")));
        QVERIFY(button("cmdScreen2")->isHidden());
        QCOMPARE(QApplication::focusWidget(), button("cmdExplain"));
    }

    void anAcceleratorThenAClickKeepTheirOrder()
    {
        duringATriangleGame([&] {
            press(Qt::Key_E, Qt::AltModifier);
            clickOn("cmdTrack");
        });
        QTRY_COMPARE(window->formState().TrackingActive, 1.0); // the board came last, on top
        QVERIFY(printed.contains(QStringLiteral("  Dynamical :")));
        QVERIFY(printed.indexOf(QStringLiteral("Start point")) > printed.indexOf(QStringLiteral("  Dynamical :")));
        QVERIFY(button("cmdScreen2")->isHidden());
    }

    void spaceOnTheFocusedButtonWaitsItsTurn()
    {
        button("cmdSquare")->setFocus();
        const quint64 before = window->canvas().pointsSet();
        duringATriangleGame([&] { press(Qt::Key_Space); });
        QTRY_COMPARE(completes(), 2);
        QCOMPARE(window->canvas().pointsSet(), before + 500000 + 3000000);
    }

    void keysTypedAfterTheFractionAcceleratorAnswerTheBox_data()
    {
        QTest::addColumn<bool>("duringARun");
        QTest::newRow("during a run") << true;
        QTest::newRow("idle, typed at once") << false;
    }

    void keysTypedAfterTheFractionAcceleratorAnswerTheBox()
    {
        QFETCH(bool, duringARun);
        // Alternating corners 1 and 3 from the start point (101, 526).
        random.setValues({0.1, 0.7});
        if (duringARun) {
            duringATriangleGame([&] {
                press(Qt::Key_F, Qt::AltModifier);
                type(QStringLiteral("0.3"));
                press(Qt::Key_Return);
            });
        } else {
            // The keys come in right behind the accelerator's key press,
            // before the box is up.
            TypeAfterKey typeAhead(Qt::Key_F, [&] {
                type(QStringLiteral("0.3"));
                press(Qt::Key_Return);
            });
            press(Qt::Key_F, Qt::AltModifier);
        }
        QTRY_COMPARE(completes(), duringARun ? 2 : 1);
        QVERIFY(!openDialog()); // no "Error" box

        ScriptedRandom again({0.1, 0.7});
        ReferenceCanvas reference;
        float x = 101, y = 526;
        drawOneTo(again, 1000); // the start point's two draws
        drawOneTo(again, 750);
        playFractionSteps(reference, again, 0.3f, 700000, x, y);
        QCOMPARE(window->formState().PointX.toSingle(), x);
        QCOMPARE(window->formState().PointY.toSingle(), y);
    }

    void saveGivenDuringARunOpensItsDialogAfterTheRun()
    {
        int completesWhenOpened = -1;
        whenModalOpens([&](QWidget *dialog) {
            completesWhenOpened = completes();
            static_cast<QDialog *>(dialog)->reject();
        });
        bool dialogDuringRun = false;
        bool given = false;
        clock.onPause = [&] {
            dialogDuringRun = dialogDuringRun || openDialog();
            if (!given) {
                given = true;
                press(Qt::Key_S, Qt::ControlModifier);
            }
        };
        button("cmdPlay")->click();
        clock.onPause = nullptr;
        QTRY_COMPARE(completesWhenOpened, 1);
        QVERIFY(!dialogDuringRun);
    }

    void anAcceleratorActsOnItsKeyPressAtOnce()
    {
        // Idle, Alt+T followed at once by three clicks: three steps.
        press(Qt::Key_T, Qt::AltModifier);
        QCOMPARE(window->formState().TrackingActive, 1.0);
        clickCanvas();
        clickCanvas();
        clickCanvas();
        QCOMPARE(window->formState().PointX.toDouble(), 535.625);
    }

    void aStormOfInputDuringARunLeavesTheProgramWhole()
    {
        // Keys (accelerators included, Quit's left out), clicks anywhere,
        // wheel turns: afterwards the window is alive and idle again.
        dialogWatch->start();
        QRandomGenerator pick(20261208);
        const Qt::Key keys[] = {Qt::Key_T, Qt::Key_P, Qt::Key_S, Qt::Key_H, Qt::Key_F, Qt::Key_E, Qt::Key_Space,
                                Qt::Key_Return, Qt::Key_Tab, Qt::Key_Escape, Qt::Key_A, Qt::Key_0, Qt::Key_Menu};
        duringATriangleGame([&] {
            for (int i = 0; i < 60; ++i) {
                const int what = pick.bounded(4);
                if (what == 0) {
                    press(keys[pick.bounded(int(std::size(keys)))],
                          pick.bounded(2) ? Qt::AltModifier : Qt::NoModifier);
                } else if (what == 1) {
                    const QPoint at(pick.bounded(window->width()), pick.bounded(window->height()));
                    const QPoint end = centreOf(button("cmdEnd"));
                    if ((at - end).manhattanLength() > 60)
                        QTest::mouseClick(handle(), pick.bounded(2) ? Qt::LeftButton : Qt::RightButton, {}, at);
                } else if (what == 2) {
                    QWheelEvent wheel(QPointF(30, 30), window->mapToGlobal(QPointF(30, 30)), QPoint(), QPoint(0, 120),
                                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                    QApplication::sendEvent(handle(), &wheel);
                } else {
                    clickCanvas();
                }
            }
        });
        QTRY_VERIFY_WITH_TIMEOUT(idle() && window->findChildren<QDialog *>().isEmpty(), 120000);
        QVERIFY(!window.isNull());
        QVERIFY(window->isVisible());
        QVERIFY(completes() >= 1);
    }

    void theMenuKeyDuringARunOpensTheMenuAfterTheRun()
    {
        // The window system sends the Menu key as a menu request beside the key.
        bool menuDuringRun = false;
        bool given = false;
        clock.onPause = [&] {
            menuDuringRun = menuDuringRun || QApplication::activePopupWidget();
            if (!given) {
                given = true;
                QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(40, 40),
                                          window->mapToGlobal(QPoint(40, 40)));
                QApplication::sendEvent(handle(), &request);
                press(Qt::Key_Menu);
            }
        };
        int pausesWhenOpened = -1;
        whenMenuOpens([&](QMenu *) {
            pausesWhenOpened = clock.pauses;
            press(Qt::Key_Escape);
        });
        button("cmdPlay")->click();
        clock.onPause = nullptr;
        QCOMPARE(clock.pauses, 500);
        QVERIFY(!menuDuringRun);
        QTRY_COMPARE(pausesWhenOpened, 500);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QTRY_VERIFY(idle());
    }

    void noToReplaceLeavesTheSaveDialogWorking()
    {
        QTemporaryDir folder;
        const QString existing = folder.filePath(QStringLiteral("taken.png"));
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(existing));
        bool questionSeen = false;
        whenModalOpens([&](QWidget *dialog) {
            whenFound([] { return qobject_cast<QMessageBox *>(QApplication::activeModalWidget()); },
                      [&](QWidget *question) {
                          questionSeen = true;
                          static_cast<QMessageBox *>(question)->button(QMessageBox::No)->click();
                          QTimer::singleShot(0, dialog, [dialog] {
                              QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
                          });
                      });
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(existing);
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Return);
        });
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(questionSeen);
        QTRY_VERIFY(idle());
    }

    void aCloseWhileTheBoxIsOpenDoesNothing()
    {
        random.setValues({0.1, 0.7});
        int waitingSeen = 0;
        whenFound(fractionBox, [&](QWidget *box) {
            window->close();
            for (int i = 0; i < 10; ++i) {
                QTest::qWait(5);
                waitingSeen += int(window->findChild<InputHoldBack *>()->waiting());
            }
            for (QChar c : QStringLiteral("0.3"))
                QTest::keyClick(box->windowHandle(), c.toLatin1());
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        press(Qt::Key_F, Qt::AltModifier);
        QCOMPARE(waitingSeen, 0); // refused at once, never queued over and over
        QTRY_COMPARE(completes(), 1);
        QVERIFY(!window.isNull() && window->isVisible());
        checkFractionPlayed(0.3f);
    }

    void theMainWindowTakesNoInputWhileTheBoxIsOpen_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("a click, then the answer") << "";
        QTest::newRow("a click, Alt+P, then the answer") << "Alt+P";
        QTest::newRow("a click, the close button, then the answer") << "close";
    }

    void theMainWindowTakesNoInputWhileTheBoxIsOpen()
    {
        QFETCH(QString, then);
        random.setValues({0.1, 0.7});
        whenFound(fractionBox, [&](QWidget *) {
            clickOn("cmdPlay");
            if (then == QLatin1String("Alt+P"))
                press(Qt::Key_P, Qt::AltModifier);
            else if (then == QLatin1String("close"))
                window->close();
            // Typed at the window, as keys are before the window manager
            // moves the keyboard back to the box.
            type(QStringLiteral("0.3"));
            press(Qt::Key_Return);
        });
        press(Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(completes(), 1);
        QTRY_VERIFY(idle());
        QCOMPARE(clock.pauses, 0); // no triangle game
        QVERIFY(!window.isNull() && window->isVisible());
        checkFractionPlayed(0.3f);
    }

    void keysTypedAsTheErrorBoxClosesAreKept()
    {
        whenFound(fractionBox, [&](QWidget *box) {
            whenFound([] { return qobject_cast<QMessageBox *>(openDialog()); }, [&](QWidget *error) {
                // Typed where the keyboard was, in the box that is closing
                // (or, once it has gone, the window under it).
                const QPointer<QWindow> at = error->windowHandle();
                QTest::keyClick(at, Qt::Key_Return);
                QTest::keyClick(at ? at.data() : handle(), Qt::Key_P, Qt::AltModifier);
            });
            QTest::keyClick(box->windowHandle(), 'x');
            QTest::keyClick(box->windowHandle(), Qt::Key_Return);
        });
        press(Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(completes(), 2); // the 0.5 figure, then the triangle game
        QCOMPARE(clock.pauses, 500);
    }

    void anAcceleratorHeldDownClicksOnce_data()
    {
        QTest::addColumn<bool>("duringARun");
        QTest::newRow("idle") << false;
        QTest::newRow("during a run") << true;
    }

    void anAcceleratorHeldDownClicksOnce()
    {
        QFETCH(bool, duringARun);
        const quint64 before = window->canvas().pointsSet();
        if (duringARun)
            duringATriangleGame([&] { holdDown(Qt::Key_S, Qt::AltModifier, 20); });
        else
            holdDown(Qt::Key_S, Qt::AltModifier, 20);
        QTRY_VERIFY(idle());
        QCOMPARE(completes(), duringARun ? 2 : 1);
        QCOMPARE(window->canvas().pointsSet(), before + 3000000 + (duringARun ? 500000 : 0));
    }

    void anAcceleratorMovesTheFocusToItsButton()
    {
        press(Qt::Key_H, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), button("cmdHexagon"));
        press(Qt::Key_Return);
        QTRY_COMPARE(completes(), 2); // the hexagon, twice
    }

    void keysSentToTheWindowWhileAnotherIsActiveWork()
    {
        // On-screen keyboards and automation tools send keys to a window
        // without activating it first.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        press(Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(completes(), 1);
        QCOMPARE(clock.pauses, 500);
    }
};

QTEST_MAIN(HeldInputTest)
#include "tst_heldinput.moc"
