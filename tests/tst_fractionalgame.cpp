// SPDX-License-Identifier: GPL-3.0-or-later
#include "games/leadingnumber.h"
#include "testsupport.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstring>
#include <locale>
#include <memory>
#include <stdexcept>

// "&Fractional Chaos Game": the reading of the typed fraction, the two modal
// dialogs and the game it plays.
class FractionalGameTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<GameWindow> game;

    // What the dialogs showed during one run.
    struct Seen
    {
        QString title, label, initialText;
        bool refused = false;
        QString refusalTitle, refusalText;
        QMessageBox::StandardButtons refusalButtons;
        QMessageBox::Icon refusalIcon = QMessageBox::Question;
        int drawnWhileAsking = -1;
    };

    // Plays one run, typing `answer` (or cancelling) and closing any refusal.
    Seen play(const QString &answer, bool cancel = false)
    {
        auto seen = std::make_shared<Seen>();
        auto refusalWatch = std::make_shared<QPointer<QTimer>>();
        GameWindow *g = game.get();
        whenModalOpens([=](QWidget *dialog) {
            auto *ask = qobject_cast<QInputDialog *>(dialog);
            QVERIFY(ask);
            seen->title = ask->windowTitle();
            seen->label = ask->labelText();
            seen->initialText = ask->textValue();
            seen->drawnWhileAsking = g->drawnBetween(0, 750, 999.9, 0.1);
            *refusalWatch = whenModalOpens([seen](QWidget *refusal) {
                auto *box = qobject_cast<QMessageBox *>(refusal);
                QVERIFY(box);
                seen->refused = true;
                seen->refusalTitle = box->windowTitle();
                seen->refusalText = box->text();
                seen->refusalButtons = box->standardButtons();
                seen->refusalIcon = box->icon();
                box->button(QMessageBox::Ok)->click();
            });
            ask->setTextValue(answer);
            cancel ? ask->reject() : ask->accept();
        });
        game->click("cmdFractional");
        delete refusalWatch->data(); // no refusal came: stop watching for one
        return *seen;
    }

    // With the corners drawn 2, 3, 2, 3, ... the point swings between two
    // places on the base; after the last step (towards corner 3) it stands
    // at 975 - 925 (1 - f) / (2 - f) for the fraction f.
    static double swingEndFor(double f) { return 975 - 925 * (1 - f) / (2 - f); }

private slots:
    void init()
    {
        game = std::make_unique<GameWindow>();
        game->random.setValues({0.5, 0.9}); // start (501, 676), then corners 2, 3, 2, 3, ...
    }
    void cleanup() { game.reset(); }

    void theLeadingNumberIsRead_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("value");
        QTest::newRow("plain") << "0.5" << 0.5f;
        QTest::newRow("no leading zero") << ".5" << 0.5f;
        QTest::newRow("blanks anywhere") << " \t0. 2 5" << 0.25f;
        QTest::newRow("sign") << "-0.3" << -0.3f;
        QTest::newRow("plus sign") << "+.75" << 0.75f;
        QTest::newRow("exponent") << "5e-1" << 0.5f;
        QTest::newRow("capital exponent") << "2.5E-1x" << 0.25f;
        QTest::newRow("exponent without digits") << "1e" << 1.0f;
        QTest::newRow("exponent sign without digits") << "3e+" << 3.0f;
        QTest::newRow("trailing text") << "0.5]" << 0.5f;
        QTest::newRow("decimal comma") << "0,5" << 0.0f;
        QTest::newRow("empty") << "" << 0.0f;
        QTest::newRow("word") << "half" << 0.0f;
        QTest::newRow("point alone") << "." << 0.0f;
        QTest::newRow("two points") << "..5" << 0.0f;
        QTest::newRow("two signs") << "--1" << 0.0f;
        QTest::newRow("inf") << "inf" << 0.0f;
        QTest::newRow("nan") << "nan" << 0.0f;
        QTest::newRow("infinity") << "-Infinity" << 0.0f;
        QTest::newRow("hexadecimal") << "0x1p-1" << 0.0f;
        QTest::newRow("ampersand hex") << "&H10" << 0.0f;
        QTest::newRow("past single range") << "1" + QString(40, '0') << FLT_MAX;
        QTest::newRow("past double range") << "-1e999999999999999999999" << -FLT_MAX;
        QTest::newRow("too small for single") << "1e-50" << 0.0f;
        QTest::newRow("too small for double") << "1e-99999" << 0.0f;
        QTest::newRow("lower bound") << "0.000000001" << 0.000000001f;
        QTest::newRow("non-ASCII after") << QString::fromUtf8("0.6\u00bd") << 0.6f;
        QTest::newRow("long fraction") << "0.30000000000000000000000000001" << 0.3f;
        QTest::newRow("many zeros, large exponent") << "0." + QString(400, '0') + "5e400" << 0.5f;
        QTest::newRow("many digits, small exponent") << "5" + QString(400, '0') + "e-401" << 0.5f;
        QTest::newRow("largest single, rounded") << "3.4028235e38" << FLT_MAX;
        QTest::newRow("below the normal singles") << "-1e-40" << -1e-40f;
    }

    void theLeadingNumberIsRead()
    {
        QFETCH(QString, text);
        QFETCH(float, value);
        const QByteArray utf8 = text.toUtf8();
        const float read = leadingNumberAsSingle(std::string_view(utf8.constData(), std::size_t(utf8.size())));
        QVERIFY(std::isfinite(read));
        QCOMPARE(read, value);
    }

    void theNumberIsRoundedToDoubleThenToSingle_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("bits");
        QTest::newRow("one tenth") << "0.1" << quint32(0x3dcccccd);
        QTest::newRow("just above 1") << "1.00000011920928955078125" << quint32(0x3f800001);
        // Just below the midpoint between two singles, but the nearest
        // double is the midpoint itself, which then rounds to the even one.
        QTest::newRow("double rounding") << "1.0000001788139343261718749" << quint32(0x3f800002);
        QTest::newRow("smallest single") << "1.401298464324817e-45" << quint32(0x00000001);
    }

    void theNumberIsRoundedToDoubleThenToSingle()
    {
        QFETCH(QString, text);
        QFETCH(quint32, bits);
        const float read = leadingNumberAsSingle(text.toLatin1().constData());
        quint32 readBits = 0;
        std::memcpy(&readBits, &read, sizeof read);
        QCOMPARE(QString::number(readBits, 16), QString::number(bits, 16));
    }

    void theDecimalPointIsAPointInEveryLocale()
    {
        // The C++ global locale too: streams take theirs from it.
        std::locale germanNumbers;
        try {
            germanNumbers = std::locale("de_DE.UTF-8");
        } catch (const std::runtime_error &) {
            QFAIL("the de_DE.UTF-8 locale is not installed");
        }
        const std::locale previous = std::locale::global(germanNumbers);
        const float pointInCpp = leadingNumberAsSingle("1.5");
        const float groupedInCpp = leadingNumberAsSingle("1.500");
        std::locale::global(previous);
        QCOMPARE(pointInCpp, 1.5f);
        QCOMPARE(groupedInCpp, 1.5f);

        // A locale whose decimal point is a comma, for the C library and Qt.
        const char *german = std::setlocale(LC_ALL, "de_DE.UTF-8");
        QVERIFY2(german, "the de_DE.UTF-8 locale is not installed");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const float point = leadingNumberAsSingle("0.5");
        const float comma = leadingNumberAsSingle("0,5");
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(point, 0.5f);
        QCOMPARE(comma, 0.0f);
    }

    void theDialogsSayWhatTheyShould()
    {
        game->canvas().setPoint(500, 375);
        const Seen seen = play(QStringLiteral("7"));
        QCOMPARE(seen.title, QStringLiteral("Fractional Chaos Game"));
        QCOMPARE(seen.label, QStringLiteral("Enter fraction amount [.1 to .9]"));
        QCOMPARE(seen.initialText, QString());
        QCOMPARE(seen.drawnWhileAsking, 0); // the canvas was cleared first
        QVERIFY(seen.refused);
        QCOMPARE(seen.refusalTitle, QStringLiteral("Error"));
        QCOMPARE(seen.refusalText, QStringLiteral("Invalid entry - using 0.5"));
        QCOMPARE(seen.refusalButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.refusalIcon, QMessageBox::NoIcon);
    }

    void theBoxIsWideEnoughForItsTitle()
    {
        // Room for the window manager to show "Fractional Chaos Game" whole
        // in the title bar, in the box's own (scaled) font.
        int boxWidth = 0, wanted = 0;
        whenModalOpens([&](QWidget *dialog) {
            const QFontMetrics metrics(dialog->font());
            boxWidth = dialog->width();
            wanted = 2 * metrics.horizontalAdvance(dialog->windowTitle());
            qobject_cast<QInputDialog *>(dialog)->setTextValue(QStringLiteral("0.5"));
            static_cast<QDialog *>(dialog)->accept();
        });
        game->click("cmdFractional");
        QTRY_VERIFY(boxWidth > 0);
        QVERIFY2(boxWidth >= wanted, qPrintable(QStringLiteral("%1 < %2").arg(boxWidth).arg(wanted)));
    }

    void answersWithinTheBoundsAreTakenAndOthersRefused_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<double>("fraction"); // the one the game plays with
        QTest::newRow("0.5") << "0.5" << false << 0.5;
        QTest::newRow("upper bound 0.9999") << "0.9999" << false << 0.9999;
        QTest::newRow("0.05, below the prompt's .1") << "0.05" << false << 0.05;
        QTest::newRow("0.95, above the prompt's .9") << "0.95" << false << 0.95;
        QTest::newRow("0.3 with trailing text") << "0.3]" << false << 0.3;
        QTest::newRow("just above the upper bound") << "0.99991" << true << 0.5;
        QTest::newRow("1") << "1" << true << 0.5;
        QTest::newRow("0") << "0" << true << 0.5;
        QTest::newRow("negative") << "-0.5" << true << 0.5;
        QTest::newRow("decimal comma") << "0,7" << true << 0.5;
        QTest::newRow("empty") << "" << true << 0.5;
        QTest::newRow("word") << "abc" << true << 0.5;
        QTest::newRow("inf") << "inf" << true << 0.5;
        QTest::newRow("nan") << "nan" << true << 0.5;
        QTest::newRow("huge") << "1e40" << true << 0.5;
        QTest::newRow("just below the lower bound") << "0.0000000009" << true << 0.5;
    }

    void answersWithinTheBoundsAreTakenAndOthersRefused()
    {
        QFETCH(QString, answer);
        QFETCH(bool, refused);
        QFETCH(double, fraction);
        const Seen seen = play(answer);
        QCOMPARE(seen.refused, refused);
        QVERIFY(std::fabs(game->form().PointX.toDouble() - swingEndFor(fraction)) < 0.01);
        QVERIFY(std::fabs(game->form().PointY.toDouble() - 50) < 0.01);
    }

    void theLowerBoundIsTaken()
    {
        const Seen seen = play(QStringLiteral("0.000000001"));
        QVERIFY(!seen.refused);
        // So small a step barely moves the point from its start (501, 676).
        QVERIFY(std::fabs(game->form().PointX.toDouble() - 501) < 0.01);
    }

    void cancelIsRefusedAndPlaysHalfWay()
    {
        const Seen seen = play(QStringLiteral("0.7"), true);
        QVERIFY(seen.refused);
        QVERIFY(std::fabs(game->form().PointX.toDouble() - swingEndFor(0.5)) < 0.01);
    }

    void aRunPlotsSevenHundredThousandPointsAndComplete()
    {
        Canvas &canvas = game->canvas();
        game->form().TrackingActive = FormValue::integer(1);
        game->button("cmdScreen2")->show();
        canvas.setFontName(QStringLiteral("Serif"));
        canvas.setFontBold(true);
        canvas.setFontSize(14);
        canvas.setDrawWidth(3);
        const quint64 before = canvas.pointsSet();

        play(QStringLiteral("0.5"));

        QCOMPARE(canvas.pointsSet() - before, quint64(700000));
        QCOMPARE(game->random.drawn, 2L + 700000);
        QCOMPARE(game->form().TrackingActive.toDouble(), 0.0);
        QCOMPARE(game->form().PointX.kind(), FormValue::Kind::Single);
        QVERIFY(game->form().Corner.isEmpty());
        QVERIFY(!game->button("cmdScreen2")->isVisible());
        QCOMPARE(canvas.drawWidth(), 1);

        // "Complete" at (650, 30), size 10, not bold, in the face the canvas had.
        QCOMPARE(canvas.fontName(), QStringLiteral("Serif"));
        ReferenceCanvas expected;
        expected.setFontName(QStringLiteral("Serif"));
        expected.setFontSize(10);
        expected.setCurrentPosition(650, 30);
        expected.printLine(QStringLiteral("Complete"));
        QCOMPARE(game->region(640, 32, 760, 0.1), expected.region(640, 32, 760, 0.1));
        QCOMPARE(canvas.currentY(), expected.currentY());
    }

    void theFigureLiesOnItsOwnTriangle()
    {
        TimeSeededRandom real;
        real.seed(999.0f);
        game->reopen(real);
        play(QStringLiteral("0.5"));
        // Corners (500, 725), (50, 50) and (975, 50).
        QVERIFY(game->drawnBetween(495, 725, 505, 718) > 0);
        QVERIFY(game->drawnBetween(968, 57, 975, 50) > 0);
        QCOMPARE(game->drawnBetween(470, 725, 480, 718), 0);
        QCOMPARE(game->drawnBetween(480, 340, 540, 200), 0); // the middle hole
    }
};

QTEST_MAIN(FractionalGameTest)
#include "tst_fractionalgame.moc"
