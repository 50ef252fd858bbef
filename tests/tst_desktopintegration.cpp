// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/programicon.h"
#include "app/splashwindow.h"
#include "testsupport.h"

#include <QAccessible>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>
#include <QXmlStreamReader>
#include <QtTest>

// What the program shows the desktop: accessible names for a screen
// reader, and its icon.
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
};

QTEST_MAIN(DesktopIntegrationTest)
#include "tst_desktopintegration.moc"
