// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"
#include "program/keylist.h"
#include "program/programidentity.h"
#include "program/version.h"

#include <QtTest>

#include <cstdint>
#include <limits>

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
        QVERIFY2(request.text.startsWith(QLatin1String("Usage: chaos-game [options] [FILE.chaos]\n"
                                                       "       chaos-game --explorer [FILE.chaos]\n"
                                                       "       chaos-game --export PICTURE [export options]\n")),
                 qPrintable(request.text));
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
        QTest::newRow("two explorations") << QStringList{"a.chaos", "b.chaos"}
                                          << "Unexpected argument 'a.chaos', 'b.chaos'.";
        QTest::newRow("an exploration beside --export") << QStringList{"--export", "a.png", "a.chaos"}
                                                        << "Unexpected argument 'a.chaos'.";
        QTest::newRow("export to standard output")
            << QStringList{"--export", "-"}
            << "'--export' writes a picture file and needs its name, such as poster.png; it does not write to "
               "standard output ('-').";
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

    // A .chaos file alone, as a desktop or "Open with" passes it, opens in
    // the Explorer as --explorer FILE does, whatever letters its path has.
    void aChaosFileAloneOpensTheExplorer_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("alone") << QStringList{"/home/teacher/σχήμα.chaos"};
        QTest::newRow("capitals") << QStringList{"/home/teacher/σχήμα.CHAOS"};
        QTest::newRow("with --explorer") << QStringList{"--explorer", "/home/teacher/σχήμα.chaos"};
        QTest::newRow("after a toolkit option") << QStringList{"-style", "Fusion", "/home/teacher/σχήμα.chaos"};
    }
    void aChaosFileAloneOpensTheExplorer()
    {
        QFETCH(QStringList, options);
        const CommandLineRequest request = read(options);
        QCOMPARE(request.action, CommandLineRequest::Action::Explore);
        QCOMPARE(request.explorationFile.toLower(), QStringLiteral("/home/teacher/σχήμα.chaos"));
    }

    // --export: the preset's settings, overridden by the options given.
    void exportOptionsShapeTheJob_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("corners");
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("midpoints");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qulonglong>("dots");
        QTest::newRow("the defaults: a triangle, 10 dots a pixel")
            << QStringList{"--export", "a.png"} << 3 << false << false << 0.5 << "any" << false << QSize(1000, 1000)
            << 10'000'000ULL;
        QTest::newRow("a preset")
            << QStringList{"--export", "a.bmp", "--preset", "hexaflake"} << 6 << true << false << 2.0 / 3 << "any"
            << false << QSize(1000, 1000) << 10'000'000ULL;
        QTest::newRow("a preset with options over it")
            << QStringList{"--export=a.jpg", "--preset", "carpet", "--corners", "6", "--rule", "no-next", "--centre",
                           "--ratio", "0.6", "--size", "640x480", "--dots", "1e9", "--colour"}
            << 6 << true << true << 0.6 << "no-next" << true << QSize(640, 480) << 1'000'000'000ULL;
        QTest::newRow("American spellings, a fraction")
            << QStringList{"--export", "a", "--center", "--color", "--rule", "no-neighbor-after-repeat", "--ratio",
                           "3/8", "--size", "16384x16384"}
            << 3 << true << false << 0.375 << "no-neighbour-after-repeat" << true << QSize(16384, 16384)
            << 2'684'354'560ULL;
        QTest::newRow("golden")
            << QStringList{"--export", "a.png", "--corners", "5", "--ratio", "Golden"} << 5 << false << false
            << 0.6180339887498949 << "any" << false << QSize(1000, 1000) << 10'000'000ULL;
    }
    void exportOptionsShapeTheJob()
    {
        QFETCH(QStringList, options);
        const CommandLineRequest request = read(options);
        QCOMPARE(request.action, CommandLineRequest::Action::Export);
        const PosterJob &job = request.exportRequest.job;
        QTEST(job.settings.corners, "corners");
        QTEST(job.settings.centre, "centre");
        QTEST(job.settings.midpoints, "midpoints");
        QTEST(job.settings.ratio, "ratio");
        QTEST(nameOf(job.settings.rule), "rule");
        QTEST(job.settings.colourByTarget, "colour");
        QTEST(job.size, "size");
        QTEST(qulonglong(job.dots), "dots");
        QCOMPARE(job.threads, 0); // one per core
        QVERIFY(!request.exportRequest.seed);

        const CommandLineRequest seeded = read(options + QStringList{"--seed", "18446744073709551615", "--threads", "3"});
        QCOMPARE(*seeded.exportRequest.seed, std::numeric_limits<std::uint64_t>::max());
        QCOMPARE(seeded.exportRequest.job.threads, 3);
    }

    void badExportValuesAreRefusedNamingThem_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("problem");
        QTest::newRow("2 corners") << QStringList{"--corners", "2"}
                                   << "'--corners' takes a whole number from 3 to 12, not '2'.";
        QTest::newRow("13 corners") << QStringList{"--corners", "13"} << "not '13'.";
        QTest::newRow("ratio 1.5") << QStringList{"--ratio", "1.5"}
                                   << "'--ratio' takes a number more than 0 and less than 1, such as 0.5, 2/3 or "
                                      "golden, not '1.5'.";
        for (const char *ratio : {"0", "1", "-0.5", "1/0", "3/2", "nan", "inf", "a/b", "0,5", "golden/0.5", "goldenish"})
            QTest::addRow("ratio %s", ratio) << QStringList{"--ratio", ratio} << QStringLiteral("not '%1'.").arg(ratio);
        QTest::newRow("size 0x0") << QStringList{"--size", "0x0"}
                                  << "'--size' takes a width and a height from 1 to 32768 pixels, such as "
                                     "1000x1000, not '0x0'.";
        for (const char *size : {"32769x10", "1000", "10x-5", "axb"})
            QTest::addRow("size %s", size) << QStringList{"--size", size} << QStringLiteral("not '%1'.").arg(size);
        QTest::newRow("unknown preset") << QStringList{"--preset", "blob"}
                                        << "Unknown preset 'blob'. The presets are: triangle, square, "
                                           "square-no-repeat, carpet, vicsek, pentaflake, hexaflake, "
                                           "pentagon-no-repeat.";
        QTest::newRow("unknown rule") << QStringList{"--rule", "sideways"}
                                      << "Unknown rule 'sideways'. The rules are: any, no-repeat, no-neighbour, "
                                         "no-next, no-neighbour-after-repeat.";
        for (const char *dots : {"0", "-5", "1.5", "1e14", "many"})
            QTest::addRow("dots %s", dots) << QStringList{"--dots", dots} << QStringLiteral("not '%1'.").arg(dots);
        QTest::newRow("seed past 64 bits") << QStringList{"--seed", "18446744073709551616"}
                                           << "not '18446744073709551616'.";
        QTest::newRow("no threads") << QStringList{"--threads", "0"} << "not '0'.";
        QTest::newRow("a picture format not offered") << QStringList{} << "Cannot tell the picture format of "
                                                                          "'figure.gif': name it .png, .jpg, .jpeg or "
                                                                          ".bmp.";
    }
    void badExportValuesAreRefusedNamingThem()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, problem);
        const QString file = options.isEmpty() ? QStringLiteral("figure.gif") : QStringLiteral("figure.png");
        const CommandLineRequest request = read(QStringList{"--export", file} + options);
        QCOMPARE(request.action, CommandLineRequest::Action::Refuse);
        QCOMPARE(request.exitStatus, 2);
        QVERIFY2(request.text.startsWith(QLatin1String("chaos-game: ")), qPrintable(request.text));
        QVERIFY2(request.text.contains(problem + QLatin1Char('\n')), qPrintable(request.text));
    }

    void exportOptionsNeedExport()
    {
        const CommandLineRequest request = read({QStringLiteral("--corners"), QStringLiteral("5")});
        QCOMPARE(request.action, CommandLineRequest::Action::Refuse);
        QCOMPARE(request.exitStatus, 2);
        QVERIFY(request.text.contains(QLatin1String("The option '--corners' only works with '--export FILE'.")));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
