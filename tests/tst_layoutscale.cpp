// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/dialogfont.h"
#include "mainwindow/scaledlayout.h"
#include "testsupport.h"

#include <QFontMetricsF>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>
#include <random>

// The main window's layout scaled to the window: the factor, where the
// controls stand and in which font, text on the canvas and the picture.
class LayoutScaleTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;

    // The places of the layout at scale 1, in a 1024 x 749 client area.
    struct Place
    {
        const char *name;
        QRect geometry;
    };
    static constexpr QSize kDesignClient{1024, 749};
    const std::vector<Place> kButtons{
        {"cmdTrack", {32, 696, 129, 25}},      {"cmdPlay", {184, 696, 113, 25}},
        {"cmdSquare", {320, 696, 121, 25}},    {"cmdHexagon", {464, 696, 137, 25}},
        {"cmdFractional", {624, 696, 129, 25}}, {"cmdExplain", {776, 696, 121, 25}},
        {"cmdEnd", {920, 696, 73, 25}},
    };

    void resizeClient(const QSize &size)
    {
        MainWindow &window = game->window();
        window.resize(size);
        QTRY_COMPARE(window.size(), size);
        QCoreApplication::processEvents();
    }

    // Where a place at scale 1 should stand at factor s in a client area of
    // this size: scaled, and the scaled 1024 x 749 area centred.
    static QRectF expected(const QRect &place, double s, const QSize &client)
    {
        const QPointF offset((client.width() - kDesignClient.width() * s) / 2,
                             (client.height() - kDesignClient.height() * s) / 2);
        return QRectF(QPointF(place.topLeft()) * s + offset, QSizeF(place.size()) * s);
    }

    static bool near(const QRect &actual, const QRectF &wanted)
    {
        return qAbs(actual.left() - wanted.left()) <= 1 && qAbs(actual.top() - wanted.top()) <= 1
            && qAbs(actual.width() - wanted.width()) <= 1 && qAbs(actual.height() - wanted.height()) <= 1;
    }

    static QString describe(const QRect &r)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    // The bounding box of what is drawn on the canvas, in user units.
    QRectF drawnExtent()
    {
        Canvas &canvas = game->canvas();
        const QImage picture = canvas.picture();
        const QRgb back = game->background();
        int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
        for (int y = 0; y < picture.height(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                if (row[x] != back) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        const double ux = 1000.0 / picture.width(), uy = 750.0 / picture.height();
        return QRectF(QPointF(left * ux, 750 - top * uy), QPointF((right + 1) * ux, 750 - (bottom + 1) * uy));
    }

private slots:
    void init()
    {
        game = std::make_unique<GameWindow>();
        QVERIFY(game->activate());
    }
    void cleanup() { game.reset(); }

    void theFactorFitsTheLayoutIntoTheClientArea_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("factor");
        QTest::newRow("1024 x 749, maximised on 1024 x 768") << QSize(1024, 749) << 1.0;
        QTest::newRow("1920 x 1050") << QSize(1920, 1050) << 1050.0 / 749;
        QTest::newRow("1280 x 690") << QSize(1280, 690) << 690.0 / 749;
        QTest::newRow("800 x 560") << QSize(800, 560) << 560.0 / 749;
        QTest::newRow("605 x 446, restored") << QSize(605, 446) << 605.0 / 1024;
    }

    void theFactorFitsTheLayoutIntoTheClientArea()
    {
        QFETCH(QSize, client);
        QFETCH(double, factor);
        QCOMPARE(ScaledLayout::fittingFactor(kDesignClient, client), factor);
        resizeClient(client);
        QCOMPARE(game->canvas().layoutScale(), factor);

        // The canvas and every button where the scaled layout puts them,
        // centred; all of them whole inside the client area.
        const QRect inside(QPoint(0, 0), client);
        const QRect canvas = game->canvas().geometry();
        QVERIFY2(near(canvas, expected(QRect(32, 16, 961, 657), factor, client)), qPrintable(describe(canvas)));
        QVERIFY(inside.contains(canvas));
        for (const Place &place : kButtons) {
            QPushButton *button = game->button(place.name);
            QVERIFY2(near(button->geometry(), expected(place.geometry, factor, client)),
                     qPrintable(QStringLiteral("%1 at %2").arg(place.name, describe(button->geometry()))));
            QVERIFY(inside.contains(button->geometry()));
            QVERIFY(button->isVisible());
            // The font scales with the layout, down to whole pixels.
            const double points = button->font().pointSizeF();
            QVERIFY2(points <= 8.25 * factor + 1e-9 && points > 8.25 * factor - 0.75, qPrintable(QString::number(points)));
            // The caption fits whole, as it does at scale 1.
            const QFontMetricsF metrics(button->font());
            const double captionWidth = metrics.horizontalAdvance(button->text().remove('&'));
            QVERIFY2(captionWidth + 4 <= button->width(), place.name);
            QVERIFY2(metrics.height() <= button->height(), place.name);
        }
    }

    void atScaleOneNothingMoves()
    {
        // The window a test shows has the layout's own size: scale 1, and
        // every control exactly at its place.
        QCOMPARE(game->window().size(), kDesignClient);
        QCOMPARE(game->canvas().layoutScale(), 1.0);
        QCOMPARE(game->canvas().geometry(), QRect(32, 16, 961, 657));
        for (const Place &place : kButtons)
            QCOMPARE(game->button(place.name)->geometry(), place.geometry);
        QCOMPARE(game->button("cmdScreen2")->geometry(), QRect(826, 602, 89, 33));

        // Back from another size, too.
        resizeClient(QSize(1920, 1050));
        resizeClient(kDesignClient);
        QCOMPARE(game->canvas().geometry(), QRect(32, 16, 961, 657));
        QCOMPARE(game->button("cmdEnd")->font(), dialogFont(8.25));
    }

    void screen2StaysOnTheCanvasCorner()
    {
        resizeClient(QSize(1920, 1050));
        const double s = 1050.0 / 749;
        game->click("cmdExplain");
        QPushButton *screen2 = game->button("cmdScreen2");
        QVERIFY(screen2->isVisible());
        QCOMPARE(screen2->parentWidget(), &game->canvas());
        // From the canvas's interior, two pixels inside its frame.
        const QRectF wanted(QPointF(2 + 824 * s, 2 + 600 * s), QSizeF(89 * s, 33 * s));
        QVERIFY2(near(screen2->geometry(), wanted), qPrintable(describe(screen2->geometry())));
        QVERIFY(game->canvas().rect().contains(screen2->geometry()));
        QCOMPARE(screen2->font(), game->button("cmdEnd")->font());
        QVERIFY(screen2->font().pointSizeF() > 8.25 * s - 0.75);
    }

    void theFractionBoxAndTheErrorUseTheScaledFont()
    {
        resizeClient(QSize(1280, 690));
        const double points = game->window().font().pointSizeF();
        QVERIFY(points < 8.25);
        double boxPoints = 0, labelPoints = 0, errorPoints = 0;
        whenModalOpens([&](QWidget *dialog) {
            auto *ask = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(ask);
            boxPoints = ask->font().pointSizeF();
            labelPoints = ask->findChild<QLabel *>()->font().pointSizeF();
            whenModalOpens([&](QWidget *refusal) {
                QVERIFY(qobject_cast<QMessageBox *>(refusal));
                for (QLabel *label : refusal->findChildren<QLabel *>())
                    if (label->text() == QLatin1String("Invalid entry - using 0.5"))
                        errorPoints = label->font().pointSizeF();
                static_cast<QDialog *>(refusal)->accept();
            });
            ask->setTextValue(QStringLiteral("2"));
            ask->accept();
        });
        game->click("cmdFractional");
        QCOMPARE(boxPoints, points);
        QCOMPARE(labelPoints, points);
        QCOMPARE(errorPoints, points);
    }

    void textOnTheCanvasKeepsItsPlaceAtOneAndAHalf()
    {
        // Page one at scale 1, then at 1.5: every line at the same user
        // position, the text as a whole covering the same part of the
        // canvas, in letters half as large again.
        struct Line
        {
            QString text;
            QPointF at;
        };
        auto printPageOne = [this] {
            std::vector<Line> lines;
            QObject::connect(&game->canvas(), &Canvas::printed, &game->window(),
                             [&lines](const QString &text, const QPointF &at, const QFont &, bool) {
                                 lines.push_back({text, at});
                             });
            game->click("cmdExplain");
            game->canvas().disconnect(&game->window());
            return lines;
        };
        auto letterHeight = [this] {
            const QImage picture = game->canvas().picture();
            return QFontMetricsF(game->canvas().currentFont(), &picture).height();
        };
        const std::vector<Line> atOne = printPageOne();
        const QRectF extentAtOne = drawnExtent();
        const QSize pictureAtOne = game->canvas().picture().size();
        const double letterHeightAtOne = letterHeight();

        resizeClient(QSize(1536, 1124));
        QCOMPARE(game->canvas().layoutScale(), 1.5);
        const std::vector<Line> atOneAndAHalf = printPageOne();
        const QRectF extent = drawnExtent();
        const QSize picture = game->canvas().picture().size();
        QVERIFY(qAbs(picture.width() - 1.5 * pictureAtOne.width()) <= 3); // the frame does not scale
        QVERIFY(qAbs(letterHeight() / letterHeightAtOne - 1.5) < 0.1);

        // A line starts where it starts at scale 1; a segment that continues
        // a line follows the letters before it, which hinting makes a little
        // narrower or wider at another size.
        QCOMPARE(atOneAndAHalf.size(), atOne.size());
        for (std::size_t i = 0; i < atOne.size(); ++i) {
            QCOMPARE(atOneAndAHalf[i].text, atOne[i].text);
            const double across = atOne[i].at.x() < 2 ? 0.001 : 10;
            QVERIFY2(qAbs(atOneAndAHalf[i].at.x() - atOne[i].at.x()) < across
                         && qAbs(atOneAndAHalf[i].at.y() - atOne[i].at.y()) < 3,
                     qPrintable(QStringLiteral("line %1 at %2, %3 instead of %4, %5")
                                    .arg(i + 1)
                                    .arg(atOneAndAHalf[i].at.x())
                                    .arg(atOneAndAHalf[i].at.y())
                                    .arg(atOne[i].at.x())
                                    .arg(atOne[i].at.y())));
        }
        for (auto [now, before, within] :
             {std::tuple{extent.left(), extentAtOne.left(), 4}, {extent.top(), extentAtOne.top(), 4},
              {extent.bottom(), extentAtOne.bottom(), 4}, {extent.right(), extentAtOne.right(), 25}})
            QVERIFY2(qAbs(now - before) < within, qPrintable(QStringLiteral("%1 instead of %2").arg(now).arg(before)));
        QVERIFY(extent.bottom() > 0 && extent.right() < 1000); // still fits the canvas

        // "Complete" of the triangle game at its place.
        game->click("cmdPlay");
        QVERIFY(game->drawnBetween(935, 145, 999, 125) > 30);
    }

    void bothPagesFitTheCanvasAtEveryScale_data()
    {
        QTest::addColumn<QSize>("client");
        for (const QSize &size : {QSize(605, 446), QSize(700, 500), QSize(800, 560), QSize(1280, 690),
                                  QSize(1024, 749), QSize(1366, 700), QSize(1920, 1050), QSize(2560, 1400),
                                  QSize(3840, 2100)})
            QTest::newRow(qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height()))) << size;
    }

    void bothPagesFitTheCanvasAtEveryScale()
    {
        QFETCH(QSize, client);
        resizeClient(client);
        game->click("cmdExplain");
        QRectF extent = drawnExtent();
        QVERIFY2(extent.right() < 1000 && extent.bottom() > 0,
                 qPrintable(QStringLiteral("page one reaches %1, %2").arg(extent.right()).arg(extent.bottom())));
        game->click("cmdScreen2");
        extent = drawnExtent();
        QVERIFY2(extent.right() < 1000 && extent.bottom() > 0,
                 qPrintable(QStringLiteral("page two reaches %1, %2").arg(extent.right()).arg(extent.bottom())));
    }

    void thePictureSurvivesAResize()
    {
        std::mt19937 generator(9);
        std::vector<double> values(3000);
        for (double &value : values)
            value = std::uniform_real_distribution<double>(0, 1)(generator);
        game->random.setValues(values);
        game->click("cmdPlay");
        Canvas &canvas = game->canvas();
        canvas.filledBox(100, 700, 200, 600, PackedColour::Red);
        canvas.showDrawing();
        const QImage drawn = canvas.picture();

        // Larger: the same figure at the same user positions, on a finer image.
        resizeClient(QSize(1920, 1050));
        QVERIFY(canvas.picture().width() > drawn.width() * 1.3);
        QCOMPARE(canvas.colourAt(150, 650), QColor(255, 0, 0));
        QCOMPARE(canvas.colourAt(250, 650), QColor::fromRgb(game->background()));
        QVERIFY(game->drawnBetween(468, 725, 482, 715) > 3); // the apex
        QVERIFY(game->drawnBetween(50, 60, 62, 50) > 3);     // bottom left
        QCOMPARE(game->drawnBetween(450, 340, 530, 200), 0); // the middle hole
        QVERIFY(game->drawnBetween(935, 145, 999, 130) > 20); // "Complete"

        // And the screen shows it, not only the image.
        const QImage onScreen = game->window().grab().toImage();
        const QPoint box = canvas.mapTo(&game->window(), canvas.contentsRect().topLeft() + canvas.pixelOf(150, 650));
        QCOMPARE(onScreen.pixelColor(box), QColor(255, 0, 0));

        // Back at the size it was drawn at, nothing drawn meanwhile: the very same pixels.
        resizeClient(kDesignClient);
        QCOMPARE(canvas.picture(), drawn);

        // Drawn on at another size, that drawing is kept too.
        resizeClient(QSize(800, 560));
        canvas.filledBox(800, 700, 900, 600, PackedColour::Green);
        resizeClient(kDesignClient);
        QCOMPARE(canvas.picture().size(), drawn.size());
        QCOMPARE(canvas.colourAt(850, 650).green(), 255);
        QCOMPARE(canvas.colourAt(150, 650), QColor(255, 0, 0));
        QVERIFY(game->drawnBetween(468, 725, 482, 715) > 3);
    }

    void aResizeDuringARunKeepsWhatWasDrawnAndWhatFollows()
    {
        // Half-way through a triangle game the window is maximised on a
        // larger screen; the window system's resize reaches the window
        // while the run presents its picture.
        std::mt19937 generator(4);
        std::vector<double> values(5000);
        for (double &value : values)
            value = std::uniform_real_distribution<double>(0, 1)(generator);
        game->random.setValues(values);
        int pauses = 0;
        game->clock.onPause = [&] {
            if (++pauses == 250)
                game->window().resize(1920, 1050);
        };
        game->click("cmdPlay");
        game->clock.onPause = nullptr;
        QCOMPARE(pauses, 500);
        QCOMPARE(game->window().size(), QSize(1920, 1050));
        QCOMPARE(game->canvas().layoutScale(), 1050.0 / 749);

        // The figure, the whole countdown and "Complete", on the larger image.
        QVERIFY(game->canvas().picture().width() > 1300);
        QVERIFY(game->drawnBetween(468, 725, 482, 715) > 3);
        QVERIFY(game->drawnBetween(938, 60, 950, 50) > 3);
        QCOMPARE(game->drawnBetween(450, 340, 530, 200), 0);
        QVERIFY(game->drawnBetween(950, 300, 980, 290) > 5); // "9", drawn before the resize
        QVERIFY(game->drawnBetween(950, 165, 980, 155) > 5); // "0", drawn after it
        QVERIFY(game->drawnBetween(935, 145, 999, 130) > 20); // "Complete"
    }

    void theRestoredWindowShowsTheWholeLayout()
    {
        QPointer<MainWindow> window = showMainWindow(game->random, game->clock);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->showNormal();
        QTRY_COMPARE(window->size(), QSize(605, 446));
        QCoreApplication::processEvents();
        const QRect inside = window->rect();
        for (QPushButton *button : window->findChildren<QPushButton *>())
            if (button->objectName() != QLatin1String("cmdScreen2"))
                QVERIFY2(inside.contains(button->geometry()), qPrintable(button->objectName()));
        QVERIFY(inside.contains(window->canvas().geometry()));
        delete window.data();
    }
};

QTEST_MAIN(LayoutScaleTest)
#include "tst_layoutscale.moc"
