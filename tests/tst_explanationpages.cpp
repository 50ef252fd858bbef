// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The two explanation pages: what they print, in which styles and where,
// and how "Screen 2" chains them.
class ExplanationPagesTest : public QObject
{
    Q_OBJECT

private:
    struct Segment
    {
        QString text;
        QPointF at;
        QFont font;
    };
    using Row = std::vector<Segment>;

    std::unique_ptr<GameWindow> game;
    std::vector<Row> rows;
    Row openRow;

    // Records the page as printed lines, each of one or more segments.
    void record()
    {
        rows.clear();
        openRow.clear();
        QObject::connect(&game->canvas(), &Canvas::printed, &game->canvas(),
                         [this](const QString &text, const QPointF &at, const QFont &font, bool lineEnded) {
                             openRow.push_back({text, at, font});
                             if (lineEnded) {
                                 rows.push_back(openRow);
                                 openRow.clear();
                             }
                         });
    }

    const Row &row(int number) const { return rows.at(number - 1); }

    static bool plain(const QFont &f) { return !f.bold() && !f.italic(); }

    // Whether every segment of every row ends inside the canvas's right edge.
    bool everyLineFits() const
    {
        const QImage picture = game->canvas().picture();
        for (const Row &r : rows)
            for (const Segment &s : r) {
                const double width = QFontMetricsF(s.font, &picture).horizontalAdvance(s.text) * 1000.0 / 957.0;
                if (s.at.x() + width > 1000) {
                    qWarning("runs past the right edge: %s", qPrintable(s.text));
                    return false;
                }
            }
        return true;
    }

private slots:
    void init()
    {
        game = std::make_unique<GameWindow>();
        QVERIFY(game->activate());
    }
    void cleanup() { game.reset(); }

    void pageOnePrintsItsTwentyNineLines()
    {
        record();
        game->click("cmdExplain");
        QCOMPARE(int(rows.size()), 29);
        QVERIFY(openRow.empty());
        QCOMPARE(row(1).front().at, QPointF(1, 750));
        for (const Row &r : rows)
            for (const Segment &s : r)
                QCOMPARE(s.font.pointSizeF(), 14.0);

        QCOMPARE(row(1).front().text, QString());
        QVERIFY(row(1).front().font.bold());
        QCOMPARE(row(2).front().text, QString(70, ' ') + "The Chaos Game");
        QVERIFY(row(2).front().font.bold());
        QVERIFY(row(4).front().text.startsWith("   ") && !row(4).front().text.startsWith("    "));
        QVERIFY(row(4).front().text.endsWith(':'));
        QVERIFY(row(6).front().text.startsWith(QStringLiteral("  \u201C")));
        QVERIFY(row(6).front().text.endsWith(QStringLiteral("\u201D")));
        for (int blank : {1, 3, 5, 7, 11, 13, 17, 22, 24, 26, 28})
            QVERIFY2(row(blank).size() == 1 && row(blank).front().text.isEmpty(), qPrintable(QString::number(blank)));
        for (int text : {8, 9, 10, 12, 14, 15, 16, 18, 19, 20, 21}) {
            QVERIFY2(row(text).front().text.startsWith("  ") && row(text).front().text.size() > 20,
                     qPrintable(QString::number(text)));
            QVERIFY(plain(row(text).front().font));
        }

        // Row 23: plain, then bold italic with its two leading spaces.
        QCOMPARE(int(row(23).size()), 2);
        QCOMPARE(row(23)[0].text, QStringLiteral("  These systems are called"));
        QVERIFY(plain(row(23)[0].font));
        QCOMPARE(row(23)[1].text, QStringLiteral("  deterministic non-linear dynamical systems."));
        QVERIFY(row(23)[1].font.bold() && row(23)[1].font.italic());
        QCOMPARE(row(23)[1].at.y(), row(23)[0].at.y());
        QVERIFY(row(23)[1].at.x() > row(23)[0].at.x());
        QVERIFY(row(24).front().font.bold()); // bold stays on

        // The three definitions: a bold label, then plain text on the same line.
        const std::pair<int, QString> labels[] = {
            {25, "  Deterministic:"}, {27, "  Non-linear :"}, {29, "  Dynamical :"}};
        for (const auto &[number, label] : labels) {
            QCOMPARE(int(row(number).size()), 2);
            QCOMPARE(row(number)[0].text, label);
            QVERIFY(row(number)[0].font.bold() && !row(number)[0].font.italic());
            QVERIFY(row(number)[1].text.startsWith("  ") && row(number)[1].text.size() > 20);
            QVERIFY(plain(row(number)[1].font));
        }
        QVERIFY(everyLineFits());
    }

    void pageOneLeavesItsStateAndShowsScreen2()
    {
        Canvas &canvas = game->canvas();
        canvas.setDrawWidth(3);
        canvas.setFontItalic(true);
        game->form().TrackingActive = FormValue::integer(1);
        game->click("cmdExplain");

        QCOMPARE(game->form().TrackingActive.kind(), FormValue::Kind::Integer);
        QCOMPARE(game->form().TrackingActive.toDouble(), 0.0);
        QCOMPARE(canvas.drawWidth(), 1);
        QCOMPARE(canvas.fontSize(), 14.0);
        QCOMPARE(canvas.fontName(), QString());
        QVERIFY(!canvas.fontBold() && !canvas.fontItalic());
        QPushButton *screen2 = game->button("cmdScreen2");
        QVERIFY(screen2->isVisible());
        QCOMPARE(QApplication::focusWidget(), screen2);
        // Twenty-nine lines of size 14 down from the top.
        const QImage picture = canvas.picture();
        const double line = QFontMetricsF(canvas.currentFont(), &picture).lineSpacing() * 750.0 / 653.0;
        QVERIFY(qAbs(canvas.currentY() - (750 - 29 * line)) < 1e-6);
        QVERIFY(canvas.currentY() > 0); // the page fits the canvas
    }

    void pageTwoPrintsItsTwentyFiveLinesInPageOnesStyle()
    {
        game->click("cmdExplain");
        record();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // "Screen 2" has the focus
        QCOMPARE(int(rows.size()), 25);
        QCOMPARE(row(1).front().at, QPointF(1, 700));
        QVERIFY(plain(row(1).front().font));
        QCOMPARE(row(1).front().font.pointSizeF(), 14.0);

        QCOMPARE(row(5).front().text, QString(50, ' ') + "Sensitive dependence on initial conditions.");
        QVERIFY(row(5).front().font.bold() && !row(5).front().font.italic());
        QCOMPARE(row(6).front().text, QString(70, ' ') + "(The Butterfly Effect)");
        QVERIFY(row(6).front().font.italic() && !row(6).front().font.bold());
        QCOMPARE(row(20).front().text, QStringLiteral("  The bottom line:"));
        QVERIFY(plain(row(20).front().font));
        for (int blank : {1, 4, 7, 8, 14, 18, 19, 21, 24, 25})
            QVERIFY2(row(blank).size() == 1 && row(blank).front().text.isEmpty(), qPrintable(QString::number(blank)));
        for (int text : {2, 3, 9, 10, 11, 12, 13, 15, 16, 17, 22})
            QVERIFY2(row(text).front().text.startsWith("  ") && plain(row(text).front().font),
                     qPrintable(QString::number(text)));

        // Row 23: the verdict at 14, then the aside at 10, right after it and 5 units lower.
        QCOMPARE(int(row(23).size()), 2);
        const Segment &verdict = row(23)[0];
        const Segment &aside = row(23)[1];
        QCOMPARE(verdict.font.pointSizeF(), 14.0);
        QCOMPARE(aside.font.pointSizeF(), 10.0);
        const QImage picture = game->canvas().picture();
        const double verdictWidth = QFontMetricsF(verdict.font, &picture).horizontalAdvance(verdict.text) * 1000.0 / 957.0;
        QVERIFY(qAbs(aside.at.x() - (verdict.at.x() + verdictWidth)) < 1e-6);
        QCOMPARE(aside.at.y(), verdict.at.y() - 5);
        QVERIFY(aside.text.startsWith(QStringLiteral("  ... and so does ")));
        QVERIFY(aside.text.endsWith('!') && aside.text.size() > 20);
        QCOMPARE(row(24).front().font.pointSizeF(), 14.0);
        QCOMPARE(row(25).front().font.pointSizeF(), 14.0);
        QVERIFY(everyLineFits());

        Canvas &canvas = game->canvas();
        QCOMPARE(canvas.fontSize(), 14.0);
        QVERIFY(!canvas.fontBold() && !canvas.fontItalic());
    }

    void pageTwoHandsTheFocusBackToPageOne()
    {
        game->click("cmdExplain");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QPushButton *explain = game->button("cmdExplain");
        QVERIFY(!game->button("cmdScreen2")->isVisible());
        QCOMPARE(QApplication::focusWidget(), explain);
        QCOMPARE(game->form().TrackingActive.toDouble(), 0.0);

        // Enter on "&Explain Chaos Theory" shows page one again, with "Screen 2".
        record();
        QTest::keyClick(explain, Qt::Key_Return);
        QCOMPARE(int(rows.size()), 29);
        QVERIFY(game->button("cmdScreen2")->isVisible());
        QCOMPARE(QApplication::focusWidget(), game->button("cmdScreen2"));
    }

    void pageOneAgainPrintsTheSamePage()
    {
        game->click("cmdExplain");
        const QImage first = game->canvas().picture();
        game->click("cmdExplain");
        QCOMPARE(game->canvas().picture(), first);
        QCOMPARE(QApplication::focusWidget(), game->button("cmdScreen2"));
    }

    void everyGameHidesScreen2_data()
    {
        QTest::addColumn<QString>("mode");
        for (const char *name : {"cmdTrack", "cmdPlay", "cmdSquare", "cmdHexagon", "cmdFractional"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyGameHidesScreen2()
    {
        QFETCH(QString, mode);
        game->click("cmdExplain");
        QVERIFY(game->button("cmdScreen2")->isVisible());
        if (mode == QLatin1String("cmdFractional"))
            answerNextFraction(QStringLiteral("0.5"));
        game->click(mode.toLatin1().constData());
        QVERIFY(!game->button("cmdScreen2")->isVisible());
    }

    void theExplanationButtonsDisarmTheTrackedGame()
    {
        game->click("cmdTrack");
        game->click("cmdExplain");
        QImage before = game->canvas().picture();
        game->clickCanvas();
        QCOMPARE(game->canvas().picture(), before);

        game->click("cmdTrack");
        game->click("cmdExplain");
        game->form().TrackingActive = FormValue::integer(1); // as if armed again
        game->click("cmdScreen2");
        before = game->canvas().picture();
        game->clickCanvas();
        QCOMPARE(game->canvas().picture(), before);
    }
};

QTEST_MAIN(ExplanationPagesTest)
#include "tst_explanationpages.moc"
