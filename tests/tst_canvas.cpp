// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvas.h"
#include "picture/numbertext.h"
#include "picture/programface.h"
#include "picture/systemcolours.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>
#include <QtTest>

#include <cmath>
#include <limits>

// The canvas on its own, with the main window's user scale: x 0..1000 left
// to right, y 0..750 bottom to top.
class CanvasTest : public QObject
{
    Q_OBJECT

private:
    Canvas *canvas = nullptr;

    QColor background() const { return colourFromPacked(PackedColour::ButtonFace, canvas->palette()); }
    QColor foreground() const { return colourFromPacked(PackedColour::ButtonText, canvas->palette()); }
    int width() const { return canvas->picture().width(); }
    int height() const { return canvas->picture().height(); }

    // Pixels that differ from the background, inside a rectangle of image pixels.
    int drawnPixelsIn(const QRect &area) const
    {
        const QImage image = canvas->picture();
        const QRgb back = background().rgb();
        int count = 0;
        for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
                count += image.pixel(x, y) != back;
        return count;
    }
    int drawnPixels() const { return drawnPixelsIn(canvas->picture().rect()); }

    double lineHeightInUnits() const
    {
        const QImage picture = canvas->picture();
        const QFontMetricsF metrics(canvas->currentFont(), &picture);
        return metrics.lineSpacing() * 750.0 / picture.deviceIndependentSize().height();
    }

private slots:
    void everyFaceNameComesOutInTheCarriedFace()
    {
        // The face the canvas starts with, the empty name the modes set and
        // "Arial" all print in Liberation Sans, from the files the program
        // carries or the system's, whatever other fonts the machine has.
        const QString carried = programFaceFamily(QString());
        QCOMPARE(carried, QStringLiteral("Liberation Sans"));
        QVERIFY(QFontDatabase::applicationFontFamilies(0).contains(carried));
        Canvas canvas(QSize(200, 100));
        for (const QString &name : {QStringLiteral("MS Sans Serif"), QString(), QStringLiteral("Arial")}) {
            canvas.setFontName(name);
            for (bool bold : {false, true}) {
                canvas.setFontBold(bold);
                const QFontInfo resolved(canvas.currentFont());
                QCOMPARE(resolved.family(), carried);
                QCOMPARE(resolved.bold(), bold);
            }
        }

        // Each style in the very face of the program's files, not in another
        // Liberation Sans the machine has (version 1 measures differently).
        for (const char *style : {"Regular", "Bold", "Italic", "BoldItalic"}) {
            const QString name = QLatin1String(style);
            canvas.setFontBold(name.startsWith(QLatin1String("Bold")));
            canvas.setFontItalic(name.endsWith(QLatin1String("Italic")));
            const QRawFont file(QStringLiteral(CHAOS_FONTS_DIR "/LiberationSans-%1.ttf").arg(name), 12);
            QCOMPARE(QRawFont::fromFont(canvas.currentFont()).fontTable("head"), file.fontTable("head"));
        }
    }

    void init()
    {
        canvas = new Canvas(QSize(961, 657));
        canvas->setScale(0, 750, 1000, 0);
        canvas->clear();
    }
    void cleanup() { delete canvas; }

    void userScaleMapsTheEdgesToTheInterior()
    {
        QCOMPARE(QSize(width(), height()), QSize(957, 653));
        QCOMPARE(canvas->pixelOf(0, 750), QPoint(0, 0));
        QCOMPARE(canvas->pixelOf(1000, 0), QPoint(957, 653));
        QCOMPARE(canvas->pixelOf(500, 375), QPoint(478, 326));

        canvas->setPoint(0, 750);
        canvas->setPoint(999.99, 0.01);
        const QImage image = canvas->picture();
        QCOMPARE(image.pixelColor(0, 0), foreground());
        QCOMPARE(image.pixelColor(956, 652), foreground());
        QCOMPARE(drawnPixels(), 2);
    }

    void pointsOutsideTheCanvasAreClippedSilently()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const quint64 before = canvas->pointsSet();
        for (auto [x, y] : {std::pair{1000.0, 300.0}, {-0.01, 300.0}, {500.0, 750.01}, {500.0, 0.0},
                            {-1e30, 1e30}, {nan, 100.0}, {100.0, nan}})
            canvas->setPoint(x, y);
        QCOMPARE(drawnPixels(), 0);
        QCOMPARE(canvas->pointsSet(), before + 7); // counted all the same
    }

    void shapesFarOffTheCanvasOrAtNoNumberAreClippedSilently()
    {
        // Nothing drawn, and (under the sanitizers) no overflow on the way
        // to whole pixels.
        const double nan = std::numeric_limits<double>::quiet_NaN();
        canvas->setDrawWidth(3);
        for (auto [x, y] : {std::pair{-1e30, 1e30}, {1e12, 300.0}, {500.0, -1e12}, {nan, 100.0}, {100.0, nan}}) {
            canvas->setPoint(x, y);
            canvas->circle(x, y, 10, PackedColour::Black);
            canvas->filledBox(x, y, x + 1, y + 1, PackedColour::Black);
        }
        QCOMPARE(drawnPixels(), 0);
    }

    void aWidePointIsADiscOfTheDrawWidth()
    {
        canvas->setDrawWidth(3);
        canvas->setPoint(500, 375);
        QVERIFY2(drawnPixels() >= 5 && drawnPixels() <= 9, qPrintable(QString::number(drawnPixels())));
        QCOMPARE(canvas->colourAt(500, 375), foreground());
    }

    void clearPaintsTheBackgroundAndMovesToTheOrigin()
    {
        canvas->setPoint(10, 10);
        canvas->setCurrentPosition(300, 300);
        canvas->clear();
        QCOMPARE(drawnPixels(), 0);
        QCOMPARE(canvas->currentX(), 0.0);
        QCOMPARE(canvas->currentY(), 0.0);
        QCOMPARE(canvas->picture().pixelColor(100, 100), background());
    }

    void printingEndingTheLineReturnsToTheLeftEdgeOneLineLower()
    {
        canvas->setFontSize(14);
        canvas->setCurrentPosition(200, 500);
        canvas->printLine(QStringLiteral("Hello"));
        QCOMPARE(canvas->currentX(), 0.0);
        QVERIFY(qFuzzyCompare(canvas->currentY(), 500 - lineHeightInUnits()));

        // The text hangs below and right of the position: top-left of its first cell.
        const QPoint anchor = canvas->pixelOf(200, 500);
        QVERIFY(drawnPixelsIn(QRect(anchor, QSize(80, 30))) > 20);
        QCOMPARE(drawnPixelsIn(QRect(0, 0, width(), anchor.y())), 0);
        QCOMPARE(drawnPixelsIn(QRect(0, 0, anchor.x(), height())), 0);
    }

    void anEmptyLineOnlyMovesDown()
    {
        canvas->setCurrentPosition(1, 750);
        canvas->printLine();
        canvas->printLine(QString());
        QCOMPARE(drawnPixels(), 0);
        QCOMPARE(canvas->currentX(), 0.0);
        QVERIFY(qFuzzyCompare(canvas->currentY(), 750 - 2 * lineHeightInUnits()));
    }

    void printingContinuingTheLineStandsAfterTheLastCharacter()
    {
        canvas->setFontSize(14);
        canvas->setFontBold(true);
        canvas->setCurrentPosition(100, 400);
        const QString text = QStringLiteral("  Deterministic:");
        const QImage picture = canvas->picture();
        const double advance = QFontMetricsF(canvas->currentFont(), &picture).horizontalAdvance(text);
        canvas->printContinuing(text);
        QCOMPARE(canvas->currentY(), 400.0);
        QVERIFY(qFuzzyCompare(canvas->currentX(), 100 + advance * 1000.0 / 957.0));

        // A following print continues on the same line.
        canvas->setFontBold(false);
        const double y = canvas->currentY();
        canvas->printLine(QStringLiteral("  more"));
        QVERIFY(drawnPixelsIn(QRect(canvas->pixelOf(100, y), QSize(1, 1)).adjusted(0, 0, 200, 20)) > 0);
    }

    void textRunningPastTheEdgesIsClipped()
    {
        canvas->clear();
        canvas->printLine(QStringLiteral("hangs below the bottom edge")); // from (0, 0)
        QCOMPARE(drawnPixels(), 0);
        canvas->setCurrentPosition(990, 400);
        canvas->printLine(QStringLiteral("runs past the right edge"));
        QVERIFY(drawnPixels() > 0);
    }

    void numbersPrintWithABlankForTheSignAndATrailingBlank()
    {
        QCOMPARE(numberText(9), QStringLiteral(" 9 "));
        QCOMPARE(numberText(0), QStringLiteral(" 0 "));
        QCOMPARE(numberText(-3), QStringLiteral("-3 "));
        QCOMPARE(numberText(500000), QStringLiteral(" 500000 "));
        QCOMPARE(numberText(642.5), QStringLiteral(" 642.5 "));
    }

    void circlesFillOnlyWhenTheFillStyleIsSolid()
    {
        const QColor red(255, 0, 0), green(0, 255, 0);
        canvas->setDrawWidth(1);
        canvas->setFillStyle(Canvas::FillStyle::Solid);
        canvas->setFillColour(PackedColour::Green);
        canvas->circle(200, 400, 20, PackedColour::Red);
        QCOMPARE(canvas->colourAt(200, 400), green);
        QCOMPARE(canvas->colourAt(220, 400), red); // radius in horizontal units

        canvas->setPoint(600, 400);
        canvas->setFillStyle(Canvas::FillStyle::Transparent);
        canvas->circle(600, 400, 20, PackedColour::Red);
        QCOMPARE(canvas->colourAt(600, 400), foreground()); // what lay under it shows
        QCOMPARE(canvas->colourAt(610, 400), background());
        QCOMPARE(canvas->colourAt(620, 400), red);
    }

    void aCircleIsRoundInPixels()
    {
        canvas->setFillStyle(Canvas::FillStyle::Solid);
        canvas->setFillColour(PackedColour::Black);
        canvas->circle(500, 375, 50, PackedColour::Black);
        const QImage image = canvas->picture();
        const QPoint centre = canvas->pixelOf(500, 375);
        int across = 0, down = 0;
        for (int x = 0; x < image.width(); ++x)
            across += image.pixelColor(x, centre.y()) == Qt::black;
        for (int y = 0; y < image.height(); ++y)
            down += image.pixelColor(centre.x(), y) == Qt::black;
        QVERIFY2(std::abs(across - down) <= 1, qPrintable(QStringLiteral("%1 vs %2").arg(across).arg(down)));
        QVERIFY(std::abs(across - 96) <= 2); // 100 units of 957/1000 pixels
    }

    void aFilledBoxCoversBothCornersAndItsInterior()
    {
        canvas->filledBox(700, 700, 900, 500, PackedColour::Red);
        const QColor red(255, 0, 0);
        QCOMPARE(canvas->colourAt(700, 700), red);
        QCOMPARE(canvas->colourAt(899.9, 500.1), red);
        QCOMPARE(canvas->colourAt(800, 600), red);
        QCOMPARE(canvas->colourAt(690, 600), background());
        QCOMPARE(canvas->colourAt(800, 710), background());

        // Painting in the button face erases to the background.
        canvas->filledBox(700, 700, 900, 500, PackedColour::ButtonFace);
        QCOMPARE(drawnPixels(), 0);
    }

    void packedColoursDecodeAsRgbOrSystemColours()
    {
        const QPalette palette = canvas->palette();
        QCOMPARE(colourFromPacked(255, palette), QColor(255, 0, 0));
        QCOMPARE(colourFromPacked(65280, palette), QColor(0, 255, 0));
        QCOMPARE(colourFromPacked(0xFF0000, palette), QColor(0, 0, 255));
        QCOMPARE(colourFromPacked(0, palette), QColor(0, 0, 0));
        QCOMPARE(colourFromPacked(0x8000000F, palette), palette.color(QPalette::Button));
        QCOMPARE(colourFromPacked(0x80000012, palette), palette.color(QPalette::ButtonText));
        QCOMPARE(canvas->foreColour(), PackedColour::ButtonText);
        QCOMPARE(canvas->backColour(), PackedColour::ButtonFace);
    }

    void theDrawingStatePersistsAcrossOperations()
    {
        QCOMPARE(canvas->fontSize(), 8.25);
        QCOMPARE(canvas->fontBold(), false);
        QCOMPARE(canvas->drawWidth(), 1);

        canvas->setFontName(QString());
        canvas->setFontSize(14);
        canvas->setFontBold(true);
        canvas->setFontItalic(true);
        canvas->setDrawWidth(3);
        canvas->setFillStyle(Canvas::FillStyle::Transparent);
        canvas->setFillColour(PackedColour::Green);
        canvas->clear();
        canvas->printLine(QStringLiteral("x"));
        canvas->circle(500, 300, 5, PackedColour::Red);
        canvas->setPoint(1, 1);

        QCOMPARE(canvas->fontName(), QString());
        QCOMPARE(canvas->fontSize(), 14.0);
        QVERIFY(canvas->fontBold());
        QVERIFY(canvas->fontItalic());
        QCOMPARE(canvas->drawWidth(), 3);
        QCOMPARE(canvas->fillStyle(), Canvas::FillStyle::Transparent);
        QCOMPARE(canvas->fillColour(), PackedColour::Green);
        const QFont font = canvas->currentFont();
        QVERIFY(font.bold() && font.italic());
        QCOMPARE(font.pointSizeF(), 14.0);
    }

    void thePictureSurvivesBeingHiddenAndShownAgain()
    {
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        canvas->setPoint(500, 375);
        canvas->showDrawing();
        canvas->hide();
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        const QImage onScreen = canvas->grab().toImage();
        const QPoint pixel = canvas->pixelOf(500, 375) + QPoint(2, 2); // inside the frame
        QCOMPARE(onScreen.pixelColor(pixel), foreground());
        QCOMPARE(onScreen.pixelColor(pixel + QPoint(5, 5)), background());
    }

    void aResizedCanvasKeepsItsPicture()
    {
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        canvas->filledBox(700, 700, 900, 500, PackedColour::Red);
        canvas->setPoint(100, 100);
        const QImage drawn = canvas->picture();

        // Half as large again: the same picture at the same user positions,
        // on an image with one pixel per device pixel of the new interior.
        canvas->resize(QSize(1441, 985));
        QCOMPARE(QSize(width(), height()), QSize(1437, 981));
        QCOMPARE(canvas->colourAt(800, 600), QColor(255, 0, 0));
        QCOMPARE(canvas->colourAt(690, 600), background());
        const QPoint dot = canvas->pixelOf(100, 100);
        QVERIFY(drawnPixelsIn(QRect(dot - QPoint(2, 2), QSize(5, 5))) > 0);

        // A dot set now is one pixel, as before.
        const int before = drawnPixels();
        canvas->setPoint(300, 300);
        QCOMPARE(drawnPixels(), before + 1);

        // Drawn on at this size, the picture goes back to the old size with
        // that drawing in it.
        canvas->resize(QSize(961, 657));
        QCOMPARE(QSize(width(), height()), QSize(957, 653));
        QVERIFY(canvas->picture() != drawn);
        QCOMPARE(canvas->colourAt(800, 600), QColor(255, 0, 0));
        QVERIFY(drawnPixelsIn(QRect(canvas->pixelOf(300, 300) - QPoint(1, 1), QSize(3, 3))) > 0);
    }

    void theOriginalPixelsComeBackWhenNothingWasDrawnElsewhere()
    {
        canvas->show();
        QVERIFY(QTest::qWaitForWindowExposed(canvas));
        for (int i = 0; i < 1000; ++i)
            canvas->setPoint(i, i * 0.75);
        canvas->setFontSize(14);
        canvas->setCurrentPosition(100, 400);
        canvas->printLine(QStringLiteral("crisp"));
        const QImage drawn = canvas->picture();
        for (const QSize &size : {QSize(1921, 1313), QSize(500, 300), QSize(961, 657)})
            canvas->resize(size);
        QCOMPARE(canvas->picture(), drawn);
    }

    void theLayoutScaleScalesTextAndWideDotsButNotDots()
    {
        canvas->setFontSize(14);
        const double lineAtOne = lineHeightInUnits();
        canvas->setLayoutScale(2);
        QCOMPARE(canvas->layoutScale(), 2.0);
        QVERIFY2(qAbs(lineHeightInUnits() / lineAtOne - 2) < 0.15, qPrintable(QString::number(lineHeightInUnits())));

        // A line advances exactly twice as far as at scale 1.
        canvas->setCurrentPosition(200, 500);
        canvas->printLine(QStringLiteral("Hello"));
        QVERIFY(qFuzzyCompare(canvas->currentY(), 500 - 2 * lineAtOne));
        const QPoint anchor = canvas->pixelOf(200, 500);
        QCOMPARE(drawnPixelsIn(QRect(0, 0, width(), anchor.y())), 0);
        QVERIFY(drawnPixelsIn(QRect(anchor + QPoint(0, 25), QSize(150, 20))) > 20); // twice as tall
        canvas->clear();

        canvas->setPoint(500, 375);
        QCOMPARE(drawnPixels(), 1);
        canvas->clear();
        canvas->setDrawWidth(3);
        canvas->setPoint(500, 375); // a disc six pixels wide
        QVERIFY2(drawnPixels() >= 24 && drawnPixels() <= 40, qPrintable(QString::number(drawnPixels())));
        canvas->clear();

        // A circle's outline twice as wide: width 3 at scale 2 covers 6 pixels across.
        canvas->setFillStyle(Canvas::FillStyle::Transparent);
        canvas->circle(500, 375, 50, PackedColour::Red);
        const QImage image = canvas->picture();
        const QPoint centre = canvas->pixelOf(500, 375);
        int outline = 0;
        for (int x = centre.x(); x < image.width(); ++x)
            outline += image.pixelColor(x, centre.y()).red() > 128 && image.pixelColor(x, centre.y()).green() < 128;
        QVERIFY2(outline >= 5 && outline <= 7, qPrintable(QString::number(outline)));
    }

    void aPrimaryClickIsAClickAndOtherButtonsAreNot()
    {
        QSignalSpy clicks(canvas, &Canvas::clicked);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(100, 100));
        QTest::mouseClick(canvas, Qt::MiddleButton, {}, QPoint(100, 100));
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(CanvasTest)
#include "tst_canvas.moc"
