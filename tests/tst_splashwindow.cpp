// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/mainwindow.h"
#include "mainwindow/splashwindow.h"
#include "picture/programface.h"
#include "testsupport.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QtTest>

// The start-up window: its layout, and what begins the program.
class SplashWindowTest : public QObject
{
    Q_OBJECT

private:
    FakeClock clock;
    ScriptedRandom random{{0.5}};
    QPointer<SplashWindow> splash;

    static MainWindow *mainWindow()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<MainWindow *>(widget))
                return window;
        return nullptr;
    }

    QWidget *child(const char *name) const
    {
        auto *found = splash->findChild<QWidget *>(QLatin1String(name));
        if (!found)
            qFatal("no %s", name);
        return found;
    }

    // Whether the splash window has begun: main window open and maximised,
    // seeded once, the splash window gone.
    bool begun()
    {
        MainWindow *window = mainWindow();
        return window && window->isVisible() && window->isMaximized() && random.seeds.size() == 1 && splash.isNull();
    }

    bool stillWaiting()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !mainWindow() && random.seeds.empty() && splash && splash->isVisible();
    }

private slots:
    void init()
    {
        random.seeds.clear();
        splash = new SplashWindow(random, clock);
        splash->show();
        splash->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(splash));
    }

    void cleanup()
    {
        delete splash.data();
        delete mainWindow();
    }

    void theWindowIsSmallCentredAndWithoutTitleBar()
    {
        QCOMPARE(splash->objectName(), QStringLiteral("frmSplash"));
        QCOMPARE(splash->size(), QSize(535, 338));
        QCOMPARE(splash->minimumSize(), splash->maximumSize()); // not resizable
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->windowTitle(), QString());
        const QPoint offCentre = splash->geometry().center() - splash->screen()->geometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
        QCOMPARE(child("Frame1")->geometry(), QRect(10, 4, 503, 325));
    }

    void theLabelsShowTheirTextsInTheirFonts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::newRow("title") << "lblCompanyProduct" << "The Chaos Game" << QPoint(128, 72) << QSize() << 18.0 << true;
        QTest::newRow("author") << "Label2" << "" << QPoint(136, 128) << QSize(121, 17) << 12.0 << true;
        QTest::newRow("institution") << "Label3" << "" << QPoint(136, 160) << QSize(193, 17) << 9.75 << true;
        QTest::newRow("town") << "Label5" << "" << QPoint(136, 176) << QSize(169, 17) << 9.75 << true;
        QTest::newRow("e-mail") << "Label4" << "" << QPoint(136, 208) << QSize(177, 17) << 9.75 << true;
        QTest::newRow("resolution") << "Label1" << "(Expected screen resolution is 1024 x 768)" << QPoint(136, 264)
                                    << QSize(305, 25) << 9.75 << true;
        QTest::newRow("invitation") << "Label6" << "(click this box to begin)" << QPoint(208, 288) << QSize(121, 17)
                                    << 8.25 << false;
    }

    void theLabelsShowTheirTextsInTheirFonts()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        QFETCH(QSize, size);
        QFETCH(double, points);
        QFETCH(bool, bold);
        auto *label = splash->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), child("Frame1"));
        if (!text.isEmpty())
            QCOMPARE(label->text(), text);
        QVERIFY(!label->text().isEmpty());
        QCOMPARE(label->pos(), at);
        if (size.isValid())
            QCOMPARE(label->size(), size);
        QCOMPARE(label->font().pointSizeF(), points);
        QCOMPARE(label->font().bold(), bold);
        // The whole text shows.
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY(label->autoFillBackground());
    }

    void theContactAddressIsUnderExampleOrg()
    {
        QVERIFY(static_cast<QLabel *>(child("Label4"))->text().endsWith(QStringLiteral("@example.org")));
        // The title's "Arial" comes out in the face the program carries.
        QCOMPARE(static_cast<QLabel *>(child("lblCompanyProduct"))->font().family(),
                 programFaceFamily(QStringLiteral("Arial")));
    }

    void aClickOnTheBoxOrALabelBegins_data()
    {
        QTest::addColumn<QString>("target");
        for (const char *name : {"Frame1", "lblCompanyProduct", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void aClickOnTheBoxOrALabelBegins()
    {
        QFETCH(QString, target);
        QVERIFY(!mainWindow()); // nothing opens the main window but Begin
        QWidget *widget = child(target.toLatin1().constData());
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(3, 3));
        QTRY_VERIFY(begun());
    }

    void aKeyThatTypesACharacterBegins_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter") << int(Qt::Key_A) << "a";
        QTest::newRow("digit") << int(Qt::Key_7) << "7";
        QTest::newRow("space") << int(Qt::Key_Space) << " ";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b";
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "\b";
    }

    void aKeyThatTypesACharacterBegins()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(splash, &press);
        QTRY_VERIFY(begun());
    }

    void otherKeysAndClicksInTheMarginDoNothing()
    {
        // Neither help (F1) nor full screen (F11) here.
        for (int key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_F1, Qt::Key_F11, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt})
            QTest::keyClick(splash, Qt::Key(key));
        QVERIFY(!splash->isFullScreen());
        QVERIFY(!openDialog());
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(4, 100));  // left margin
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(300, 2));  // top margin
        QTest::mouseClick(splash, Qt::LeftButton, {}, QPoint(530, 100)); // right margin
        QTest::mouseClick(child("Frame1"), Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(stillWaiting());
    }

    void closingItWithoutBeginningOpensNothing()
    {
        splash->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull());
        QVERIFY(!mainWindow());
        QVERIFY(random.seeds.empty());
    }
};

QTEST_MAIN(SplashWindowTest)
#include "tst_splashwindow.moc"
