// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/keylist.h"
#include "app/programidentity.h"
#include "app/version.h"

#include <QtTest>

// The command line, read before any window exists: what it prints, what it
// refuses with status 2, and the toolkit's options it lets through.
class CommandLineTest : public QObject
{
    Q_OBJECT

private:
    static CommandLineRequest read(const QStringList &options)
    {
        return readCommandLine(QStringList{QStringLiteral("/usr/bin/chaos-game")} + options);
    }

private slots:
    void initTestCase() { describeProgram(); }

    void helpListsTheProgramsOwnOptions()
    {
        const CommandLineRequest request = read({QStringLiteral("--help")});
        QCOMPARE(request.action, CommandLineRequest::Action::Print);
        QCOMPARE(request.exitStatus, 0);
        QVERIFY2(request.text.startsWith(QLatin1String("Usage: chaos-game [options]\n")), qPrintable(request.text));
        for (const char *option : {"-h, --help", "--help-all", "-v, --version", "Sierpinski"})
            QVERIFY2(request.text.contains(QLatin1String(option)), option);
        // The toolkit's options are only named in passing, not listed.
        QVERIFY(!request.text.contains(QLatin1String("--platform <")));

        QCOMPARE(read({QStringLiteral("-h")}).text, request.text);

        // Then the keys, from the list the help window and the manual page
        // show, each beside the start of what it does, within 80 columns.
        const QString keys = request.text.mid(request.text.indexOf(QLatin1String("\nKeys:\n")));
        for (const KeyPlace &place : programKeys()) {
            for (const KeyUse &use : place.keys) {
                const QString what = use.what.section(QLatin1Char(' '), 0, 1);
                QVERIFY2(keys.contains(QRegularExpression(QStringLiteral("\n    %1\\s+%2 ")
                                                              .arg(QRegularExpression::escape(use.keys),
                                                                   QRegularExpression::escape(what)))),
                         qPrintable(use.keys));
            }
        }
        for (const QString &line : keys.split(QLatin1Char('\n')))
            QVERIFY2(line.size() < 80, qPrintable(line));
    }

    void helpAllListsTheToolkitsOptionsToo()
    {
        const CommandLineRequest request = read({QStringLiteral("--help-all")});
        QCOMPARE(request.action, CommandLineRequest::Action::Print);
        QCOMPARE(request.exitStatus, 0);
        for (const char *option : {"--version", "--platform <name[:options]>", "--style <style>", "--reverse"})
            QVERIFY2(request.text.contains(QLatin1String(option)), option);
    }

    void versionNamesTheProgramItsVersionAndLicence()
    {
        for (const char *option : {"--version", "-v"}) {
            const CommandLineRequest request = read({QString::fromLatin1(option)});
            QCOMPARE(request.action, CommandLineRequest::Action::Print);
            QCOMPARE(request.exitStatus, 0);
            const QStringList lines = request.text.split(QLatin1Char('\n'));
            QCOMPARE(lines.first(), QStringLiteral("The Chaos Game %1").arg(QLatin1String(programVersion)));
            QVERIFY(request.text.contains(QLatin1String("GNU GPL version 3 or later")));
        }
        QVERIFY(QByteArray(programVersion).count('.') == 2);
    }

    void theToolkitsOptionsAreLetThrough_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("none") << QStringList();
        QTest::newRow("platform") << QStringList{"-platform", "xcb"};
        QTest::newRow("platform with options") << QStringList{"-platform", "offscreen:size=800x600"};
        QTest::newRow("double dash") << QStringList{"--platform", "wayland"};
        QTest::newRow("style with equals") << QStringList{"-style=Fusion"};
        QTest::newRow("style and a switch") << QStringList{"-style", "Fusion", "-reverse"};
        QTest::newRow("X11 display and name") << QStringList{"-display", ":1", "-name", "chaos"};
        QTest::newRow("window geometry") << QStringList{"-qwindowgeometry", "800x600+0+0"};
        QTest::newRow("a title that looks like an option") << QStringList{"-qwindowtitle", "--help"};
    }

    void theToolkitsOptionsAreLetThrough()
    {
        QFETCH(QStringList, options);
        const CommandLineRequest request = read(options);
        QCOMPARE(request.action, CommandLineRequest::Action::Run);
        QCOMPARE(request.text, QString());
    }

    void whatTheProgramDoesNotKnowIsRefusedWithStatus2_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("problem");
        QTest::newRow("long option") << QStringList{"--bogus"} << "Unknown option 'bogus'.";
        QTest::newRow("short option") << QStringList{"-x"} << "Unknown option 'x'.";
        QTest::newRow("unknown after a known one") << QStringList{"-style", "Fusion", "--fullscreen"}
                                                   << "Unknown option 'fullscreen'.";
        QTest::newRow("toolkit option without its value") << QStringList{"-platform"}
                                                          << "Missing value after '-platform'.";
        QTest::newRow("a file name") << QStringList{"picture.png"} << "Unexpected argument 'picture.png'.";
        QTest::newRow("an argument after --") << QStringList{"--", "--help"} << "Unexpected argument '--help'.";
    }

    void whatTheProgramDoesNotKnowIsRefusedWithStatus2()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, problem);
        const CommandLineRequest request = read(options);
        QCOMPARE(request.action, CommandLineRequest::Action::Refuse);
        QCOMPARE(request.exitStatus, 2);
        QCOMPARE(request.text,
                 QStringLiteral("chaos-game: %1\nTry 'chaos-game --help' for more information.\n").arg(problem));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
