// SPDX-License-Identifier: GPL-3.0-or-later
// A box that closes gives the keyboard back to the window it belongs to, as
// a window manager would; a page in a browser (and the offscreen platform
// these tests run on) does not do it by itself.
#include "program/keyboardhandback.h"

#include <QApplication>
#include <QMessageBox>
#include <QtTest>

class KeyboardHandBackTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { handTheKeyboardBackAfterBoxes(*qApp); }

    // With two boxes open, closing the upper one leaves the window without
    // the keyboard (the other box is still asking); closing the last gives
    // it back, for a key typed next to reach the window.
    void theWindowHasTheKeyboardOnceItsLastBoxCloses()
    {
        QWidget window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        auto *lower = new QMessageBox(QMessageBox::NoIcon, "Lower", "Lower", QMessageBox::Ok, &window);
        auto *upper = new QMessageBox(QMessageBox::NoIcon, "Upper", "Upper", QMessageBox::Ok, &window);
        lower->show();
        upper->show();
        upper->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(upper));

        upper->close();
        QTest::qWait(100);
        QVERIFY(!window.isActiveWindow());

        lower->close();
        QTRY_VERIFY(window.isActiveWindow());
    }
};

QTEST_MAIN(KeyboardHandBackTest)
#include "tst_keyboardhandback.moc"
