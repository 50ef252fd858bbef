// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"
#include "canvas/canvas.h"
#include "testsupport.h"

#include <QPushButton>
#include <QtTest>

// The main window as the user meets it: its layout, keyboard, Load and Quit.
class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    FakeClock clock{43200.5f};
    ScriptedRandom random{{0.25}};
    QPointer<MainWindow> window;

    QPushButton *button(const char *name) const
    {
        auto *found = window->findChild<QPushButton *>(QLatin1String(name));
        if (!found)
            qFatal("no button %s", name);
        return found;
    }

private slots:
    void init()
    {
        random.seeds.clear();
        window = new MainWindow(random, clock);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void cleanup() { delete window.data(); }

    void theWindowIsTitledAndLightGrey()
    {
        QCOMPARE(window->objectName(), QStringLiteral("frmCG"));
        QCOMPARE(window->windowTitle(), QStringLiteral("The Chaos Game"));
        QCOMPARE(window->palette().color(QPalette::Window), QColor(192, 192, 192));
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    }

    void showMainWindowOpensItMaximised()
    {
        QPointer<MainWindow> shown = showMainWindow(random, clock);
        QVERIFY(shown->isMaximized());
        delete shown.data();
    }

    void controlsStandWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("cmdTrack") << "cmdTrack" << "&Track the Chaos Game" << QRect(32, 696, 129, 25);
        QTest::newRow("cmdPlay") << "cmdPlay" << "&Play Chaos Game" << QRect(184, 696, 113, 25);
        QTest::newRow("cmdSquare") << "cmdSquare" << "&Square Chaos Game" << QRect(320, 696, 121, 25);
        QTest::newRow("cmdHexagon") << "cmdHexagon" << "&Hexagonal Chaos Game" << QRect(464, 696, 137, 25);
        QTest::newRow("cmdFractional") << "cmdFractional" << "&Fractional Chaos Game" << QRect(624, 696, 129, 25);
        QTest::newRow("cmdExplain") << "cmdExplain" << "&Explain Chaos Theory" << QRect(776, 696, 121, 25);
        QTest::newRow("cmdEnd") << "cmdEnd" << "&Quit" << QRect(920, 696, 73, 25);
        // On the canvas, from its interior, which starts inside a 2-pixel frame.
        QTest::newRow("cmdScreen2") << "cmdScreen2" << "Screen 2" << QRect(826, 602, 89, 33);
    }

    void controlsStandWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        auto *control = window->findChild<QPushButton *>(name);
        QVERIFY(control);
        QCOMPARE(control->text(), caption);
        QCOMPARE(control->geometry(), geometry);
        QVERIFY(!control->isDefault());
        // The caption fits its button whole.
        const int textWidth = control->fontMetrics().horizontalAdvance(QString(caption).remove('&'));
        QVERIFY2(textWidth + 8 <= geometry.width(), qPrintable(QString::number(textWidth)));
        QVERIFY(control->fontInfo().pointSizeF() <= 9.0);
    }

    void theCanvasFillsTheUpperPart()
    {
        Canvas &canvas = window->canvas();
        QCOMPARE(canvas.objectName(), QStringLiteral("picOutput"));
        QCOMPARE(canvas.geometry(), QRect(32, 16, 961, 657));
        QCOMPARE(button("cmdScreen2")->parentWidget(), &canvas);
    }

    void loadSeedsScalesHidesScreen2AndSetsSolidFill()
    {
        QCOMPARE(random.seeds, std::vector<float>{43200.5f});
        QCOMPARE(random.drawn, 0L);
        Canvas &canvas = window->canvas();
        QCOMPARE(canvas.pixelOf(0, 750), QPoint(0, 0));
        QCOMPARE(canvas.pixelOf(1000, 0), QPoint(957, 653));
        QVERIFY(!button("cmdScreen2")->isVisible());
        QCOMPARE(canvas.fillStyle(), Canvas::FillStyle::Solid);
    }

    void formValuesStartEmpty()
    {
        const FormState &form = window->formState();
        QVERIFY(form.PointX.isEmpty());
        QVERIFY(form.PointY.isEmpty());
        QVERIFY(form.Corner.isEmpty());
        QVERIFY(form.TrackingActive.isEmpty());
        QCOMPARE(form.PointX.toDouble(), 0.0); // empty reads as 0
        QVERIFY(form.TrackingActive != 1);
    }

    void tabWalksTheControlsInOrder()
    {
        window->canvas().setFocus();
        QCOMPARE(QApplication::focusWidget(), &window->canvas());
        for (const char *name : {"cmdTrack", "cmdPlay", "cmdSquare", "cmdHexagon", "cmdFractional",
                                 "cmdExplain", "cmdEnd"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        // The hidden "Screen 2" is skipped: Tab wraps round to the canvas.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &window->canvas());

        // Shown, it follows "Quit".
        button("cmdScreen2")->show();
        button("cmdEnd")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdScreen2"));
    }

    void altLettersPressTheirButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");
        QTest::newRow("Alt+T") << "cmdTrack" << int(Qt::Key_T);
        QTest::newRow("Alt+P") << "cmdPlay" << int(Qt::Key_P);
        QTest::newRow("Alt+S") << "cmdSquare" << int(Qt::Key_S);
        QTest::newRow("Alt+H") << "cmdHexagon" << int(Qt::Key_H);
        QTest::newRow("Alt+F") << "cmdFractional" << int(Qt::Key_F);
        QTest::newRow("Alt+E") << "cmdExplain" << int(Qt::Key_E);
    }

    void altLettersPressTheirButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, key);
        QPushButton *target = window->findChild<QPushButton *>(name);
        // Watch the click without running the mode behind it.
        target->disconnect(window);
        QSignalSpy clicks(target, &QPushButton::clicked);
        QTest::keyClick(window, Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(clicks.count(), 1);
    }

    void enterAndSpacePressTheFocusedButton()
    {
        QPushButton *track = button("cmdTrack");
        track->disconnect(window);
        QSignalSpy clicks(track, &QPushButton::clicked);
        track->setFocus();
        QTest::keyClick(track, Qt::Key_Return);
        QTest::keyClick(track, Qt::Key_Enter);
        QTest::keyClick(track, Qt::Key_Space);
        QTRY_COMPARE(clicks.count(), 3);
    }

    void quitClosesAndDestroysTheWindow()
    {
        QTest::keyClick(window, Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(window.isNull());
    }

    void closingByTheTitleBarIsQuit()
    {
        window->close();
        QTRY_VERIFY(window.isNull());
    }

    void aClickMadeWhileAModeRunsWaitsForItsEnd()
    {
        // The triangle game pauses every 1000 dots; during its first pause
        // "Play" is clicked again, as a delayed button click would be.
        std::vector<quint64> pausedAt;
        bool clickedDuringRun = false;
        clock.onPause = [&] {
            pausedAt.push_back(window->canvas().pointsSet());
            if (!clickedDuringRun) {
                clickedDuringRun = true;
                button("cmdPlay")->click();
            }
        };
        const quint64 before = window->canvas().pointsSet();
        button("cmdPlay")->click();
        // Two whole runs, one after the other: the pauses never interleave.
        QTRY_COMPARE(pausedAt.size(), std::size_t(1000));
        clock.onPause = nullptr;
        for (std::size_t i = 0; i < pausedAt.size(); ++i)
            QCOMPARE(pausedAt[i], before + 1000 * (i + 1));
        QCOMPARE(window->canvas().pointsSet(), before + 1000000);
    }

    void quitDuringARunWaitsForItsEnd()
    {
        bool visibleAfterQuit = false;
        quint64 pointsWhenQuit = 0;
        clock.onPause = [&] {
            if (pointsWhenQuit == 0) {
                pointsWhenQuit = window->canvas().pointsSet();
                button("cmdEnd")->click();
                visibleAfterQuit = window->isVisible();
            }
        };
        const quint64 before = window->canvas().pointsSet();
        button("cmdPlay")->click();
        clock.onPause = nullptr;
        QVERIFY(visibleAfterQuit);
        QCOMPARE(pointsWhenQuit, before + 1000);
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
