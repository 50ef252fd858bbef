// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/aboutbox.h"
#include "app/applicationface.h"
#include "picture/programface.h"
#include "program/keylist.h"
#include "program/programicon.h"
#include "program/programidentity.h"
#include "program/version.h"
#include "mainwindow/splashwindow.h"
#include "testsupport.h"

#include <QAccessible>
#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolTip>
#include <QXmlStreamReader>
#include <QtTest>

// What the program shows the desktop: accessible names for a screen
// reader, tooltips, its help and About box, and its icon.
class DesktopIntegrationTest : public QObject
{
    Q_OBJECT

private:
    // Every widget of a window, the window included, as a screen reader finds it.
    static QStringList withoutAccessibleText(QWidget *window)
    {
        QStringList missing;
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets.prepend(window);
        for (QWidget *widget : widgets) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            if (!accessible || accessible->text(QAccessible::Name).isEmpty()
                || accessible->text(QAccessible::Description).isEmpty())
                missing << widget->objectName();
        }
        return missing;
    }

    static QImage iconImage(const QWidget &window)
    {
        return window.windowIcon().pixmap(QSize(32, 32)).toImage();
    }

private slots:
    void everyControlHasAnAccessibleNameAndDescription()
    {
        GameWindow game;
        QCOMPARE(withoutAccessibleText(&game.window()), QStringList());
        QAccessibleInterface *play = QAccessible::queryAccessibleInterface(game.button("cmdPlay"));
        QCOMPARE(play->text(QAccessible::Name), QStringLiteral("Play Chaos Game"));

        FakeClock clock;
        ScriptedRandom random({0.5});
        SplashWindow splash(random, clock);
        QCOMPARE(withoutAccessibleText(&splash), QStringList());
    }

    void hoveringAButtonShowsItsDescription()
    {
        GameWindow game;
        const QList<QPushButton *> buttons = game.window().findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 8);
        for (QPushButton *button : buttons) {
            button->show();
            // What the toolkit sends when the pointer rests on the button.
            const QPoint centre = button->rect().center();
            QHelpEvent hover(QEvent::ToolTip, centre, button->mapToGlobal(centre));
            QApplication::sendEvent(button, &hover);
            QTRY_VERIFY2(QToolTip::isVisible(), qPrintable(button->objectName()));
            QCOMPARE(QToolTip::text(), button->accessibleDescription());
            QToolTip::hideText();
        }
    }

    void f1ShowsEveryKeyTheMainWindowHandles()
    {
        GameWindow game;
        // The buttons' accelerators, the window's shortcuts, and the keys the
        // canvas and the focused button take.
        QStringList handled{QStringLiteral("Space"), QStringLiteral("Enter"), QStringLiteral("Menu"),
                            QStringLiteral("Tab"), QStringLiteral("Shift+Tab")};
        QStringList captions;
        for (QPushButton *button : game.window().findChildren<QPushButton *>()) {
            const QKeySequence accelerator = QKeySequence::mnemonic(button->text());
            if (!accelerator.isEmpty())
                handled << accelerator.toString(QKeySequence::NativeText);
            captions << QString(button->text()).remove(QLatin1Char('&'));
        }
        for (QAction *action : game.window().findChildren<QAction *>()) {
            for (const QKeySequence &shortcut : action->shortcuts())
                handled << shortcut.toString(QKeySequence::NativeText);
            captions << QString(action->text()).remove(QLatin1Char('&')).remove(QChar(0x2026));
        }
        QVERIFY(handled.size() >= 7 + 6 + 5);

        QString shown;
        whenModalOpens([&shown](QWidget *help) {
            if (auto *keys = help->findChild<QTextBrowser *>())
                shown = keys->toPlainText();
            help->close();
        });
        QVERIFY(game.activate());
        QTest::keyClick(game.window().windowHandle(), Qt::Key_F1);
        QTRY_VERIFY(!shown.isEmpty());

        QStringList listed;
        for (const KeyPlace &place : programKeys()) {
            for (const KeyUse &use : place.keys) {
                listed << use.keys.split(QStringLiteral(", "));
                QVERIFY2(shown.contains(use.keys) && shown.contains(use.what), qPrintable(use.keys));
            }
        }
        for (const QString &key : handled)
            QVERIFY2(listed.contains(key), qPrintable(key));
        for (const QString &caption : captions)
            QVERIFY2(shown.contains(caption, Qt::CaseInsensitive), qPrintable(caption));
    }

    void theAboutBoxNamesVersionLicencesFontsAndQt()
    {
        describeProgram();
        GameWindow game;
        QString about;
        whenModalOpens([&about](QWidget *help) {
            whenModalOpens([&about, help](QWidget *box) {
                if (auto *message = qobject_cast<QMessageBox *>(box))
                    about = message->windowTitle() + QLatin1Char('\n') + message->text();
                box->close();
                help->close();
            });
            help->findChild<QPushButton *>(QStringLiteral("cmdAbout"))->click();
        });
        QVERIFY(game.activate());
        QTest::keyClick(game.window().windowHandle(), Qt::Key_F1);
        QTRY_VERIFY(!about.isEmpty());
        QVERIFY2(about.startsWith(QStringLiteral("About The Chaos Game\n")), qPrintable(about));
        for (const QString &needed : {QStringLiteral("The Chaos Game %1").arg(QLatin1String(programVersion)),
                                      QStringLiteral("GPL-3.0-or-later"), QStringLiteral("NO WARRANTY"),
                                      QStringLiteral("Liberation Sans"), QStringLiteral("OFL-1.1"),
                                      QStringLiteral("Qt %1").arg(QLatin1String(qVersion())), QStringLiteral("LGPL"),
                                      QStringLiteral("source code: <a href=\"https://example.org/chaos-game/\">")})
            QVERIFY2(about.contains(needed), qPrintable(needed));
    }

    void bothWindowsShowTheProgramIcon()
    {
        GameWindow game;
        FakeClock clock;
        ScriptedRandom random({0.5});
        SplashWindow splash(random, clock);
        const QImage mainIcon = iconImage(game.window());
        QVERIFY(!mainIcon.isNull());
        QCOMPARE(iconImage(splash), mainIcon);
        QVERIFY(!game.window().windowIcon().availableSizes().isEmpty());
        // Not blank: the figure's colour is in it.
        QCOMPARE(mainIcon.pixelColor(16, 20).alpha(), 255);
    }

    void theScalableIconIsASierpinskiTriangle()
    {
        QXmlStreamReader svg(programIconSvg());
        int polygons = 0;
        bool sawSvgRoot = false;
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::StartElement) {
                sawSvgRoot = sawSvgRoot || svg.name() == QLatin1String("svg");
                polygons += svg.name() == QLatin1String("polygon");
            }
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY(sawSvgRoot);
        QCOMPARE(polygons, 243); // divided five times: 3^5 triangles
        QVERIFY(programIconDepth(16) < programIconDepth(256));
    }

    // Where the system's faces are not the program's (Windows), every box,
    // menu and control can be set in the program's face like the main
    // window: the About box, the help and the Explorer included. (Last: it
    // changes the application's fonts.)
    void everyWindowCanTakeTheProgramsFace()
    {
        const QString family = programFaceFamily(QString());
        QApplication::setFont(QFont(QStringLiteral("Serif"), 7), "QMessageBox");
        QApplication::setFont(QFont(QStringLiteral("Serif"), 7), "QMenu");
        useProgramFaceInEveryWindow();
        for (const char *className : {"QMessageBox", "QMenu", "QMenuBar", "QLabel", "QTipLabel", "QComboMenuItem"})
            QCOMPARE(QApplication::font(className).family(), family);
        QCOMPARE(QApplication::font().family(), family);
        QCOMPARE(QApplication::font("QMessageBox").pointSize(), 7); // the platform's size stays

        QMessageBox box(QMessageBox::Information, QStringLiteral("About"), QStringLiteral("Text"));
        box.show();
        for (const QLabel *label : box.findChildren<QLabel *>())
            QCOMPARE(QFontInfo(label->font()).family(), QFontInfo(QFont(family)).family());
    }
};

QTEST_MAIN(DesktopIntegrationTest)
#include "tst_desktopintegration.moc"
