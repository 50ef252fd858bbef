// SPDX-License-Identifier: GPL-3.0-or-later
// The modes without any window: built without Widgets, they draw on an easel
// and ask a host for the buttons and the fraction, as the main window
// answers them.
#include "explain/explanationpages.h"
#include "games/clock.h"
#include "games/formvalue.h"
#include "games/fractionalgame.h"
#include "games/modecontext.h"
#include "games/randomsource.h"
#include "picture/easel.h"

#include <QPointer>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

// A picture of the canvas's user size, shown nowhere; counts its presentations.
class BareEasel : public Easel
{
public:
    BareEasel()
    {
        m_picture.fitTo(QSize(961, 657), 1);
        setScale(0, 750, 1000, 0);
    }
    int shown = 0;

protected:
    void showArea(const QRect &, bool) override { ++shown; }
};

class CyclingRandom : public RandomSource
{
public:
    CyclingRandom() : RandomSource(Scripted{}) {}
    void seed(float) override {}

protected:
    double nextScripted() override
    {
        static constexpr double values[] = {0.1, 0.7, 0.4, 0.95, 0.55, 0.25, 0.8};
        return values[m_next++ % std::size(values)];
    }

private:
    std::size_t m_next = 0;
};

class NoClock : public Clock
{
public:
    float secondsSinceMidnight() override { return 0; }
    bool pause(QObject *, std::function<void()>) override { return false; }
};

// Records what a mode asked; holds the fraction's question until the test answers.
class RecordingHost : public ModeHost
{
public:
    void showScreenTwo(bool shown) override
    {
        screenTwoShown = shown;
        ++screenTwoChanges;
    }
    void focusExplain() override { explainFocused = true; }
    void askFraction(QObject *context, std::function<void(const QString &)> answered) override
    {
        ++asked;
        askedIn = context;
        answer = std::move(answered);
    }
    void refuseFraction(QObject *context, std::function<void()> closed) override
    {
        ++refused;
        QVERIFY(context);
        closed(); // the box closed at once
    }

    bool screenTwoShown = false;
    int screenTwoChanges = 0;
    bool explainFocused = false;
    int asked = 0, refused = 0;
    QPointer<QObject> askedIn;
    std::function<void(const QString &)> answer;
};

struct Run
{
    BareEasel easel;
    FormState form;
    CyclingRandom random;
    NoClock clock;
    RecordingHost host;
    ModeContext mode{easel, form, random, clock, host};
};

} // namespace

class ModeHostTest : public QObject
{
    Q_OBJECT

private slots:
    void theFractionComesFromTheHostAndARefusalPlaysHalfWay_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<float>("playedWith");
        QTest::newRow("taken") << QStringLiteral("0.45") << false << 0.45f;
        QTest::newRow("cancelled") << QString() << true << 0.5f;
        QTest::newRow("too large") << QStringLiteral("2") << true << 0.5f;
    }
    void theFractionComesFromTheHostAndARefusalPlaysHalfWay()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(float, playedWith);
        Run run;
        ModeTask task = playFractionalGame(run.mode);

        // The mode waits for the answer, with the cleared canvas shown.
        QCOMPARE(run.host.asked, 1);
        QVERIFY(!task.done());
        QVERIFY(run.easel.shown > 0);
        const float startX = float(run.form.PointX.toDouble()), startY = float(run.form.PointY.toDouble());
        const quint64 before = run.easel.pointsSet();

        // It goes on from the event loop, never inside the answer's call.
        run.host.answer(typed);
        QVERIFY(!task.done());
        QTRY_VERIFY(task.done());
        QCOMPARE(run.host.refused, refused ? 1 : 0);
        QCOMPARE(run.easel.pointsSet() - before, quint64(700000));
        QVERIFY(run.easel.printedLines().contains(QStringLiteral("Complete")));

        // The same steps from the same start with the expected fraction end on the same point.
        BareEasel reference;
        CyclingRandom referenceRandom;
        drawOneTo(referenceRandom, 1000);
        drawOneTo(referenceRandom, 750);
        float x = startX, y = startY;
        playFractionSteps(reference, referenceRandom, playedWith, 700000, x, y);
        QCOMPARE(float(run.form.PointX.toDouble()), x);
        QCOMPARE(float(run.form.PointY.toDouble()), y);
    }

    void aModeStoppedWhileAskingCanNoLongerBeAnswered()
    {
        Run run;
        auto task = std::make_unique<ModeTask>(playFractionalGame(run.mode));
        QVERIFY(run.host.askedIn);
        // What the answer would resume goes with the mode, so a box answered
        // after it resumes nothing.
        task.reset();
        QVERIFY(!run.host.askedIn);
    }

    void theExplanationPagesChainThroughTheHostsButtons()
    {
        Run run;
        showExplanationPageOne(run.mode);
        QVERIFY(run.host.screenTwoShown);
        QVERIFY(!run.host.explainFocused);
        showExplanationPageTwo(run.mode);
        QVERIFY(!run.host.screenTwoShown);
        QVERIFY(run.host.explainFocused);
        QCOMPARE(run.host.screenTwoChanges, 2);
    }
};

QTEST_MAIN(ModeHostTest)
#include "tst_modehost.moc"
