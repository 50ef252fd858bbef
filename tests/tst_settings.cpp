// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/settings.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// What the program remembers: all of it in one file, an earlier release's
// second file taken over once, and a file that cannot be read safely left
// unread.
class SettingsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir config;

    QString mainFile() const { return config.filePath(QStringLiteral("chaos-game/chaos-game.conf")); }
    QString strayFile() const { return config.filePath(QStringLiteral("The Chaos Game developers/chaos-game.conf")); }
    // Every file in the configuration folder, relative to it.
    QStringList configFiles() const
    {
        QStringList files;
        QDirIterator it(config.path(), QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << QDir(config.path()).relativeFilePath(it.next());
        files.sort();
        return files;
    }
    static void writeFile(const QString &path, const QByteArray &text)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

private slots:
    void initTestCase()
    {
        // Before any QSettings, which keeps the folder it first finds.
        QVERIFY(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        QCoreApplication::setOrganizationName(QStringLiteral("The Chaos Game developers"));
        QCoreApplication::setApplicationName(QStringLiteral("chaos-game"));
    }

    void init()
    {
        QDir(config.path()).removeRecursively();
        QVERIFY(QDir().mkpath(config.path()));
    }

    void everythingRememberedIsInOneFile()
    {
        {
            Settings settings;
            QVERIFY(settings.problem().isEmpty());
            settings.setSaveFolder(QStringLiteral("/pictures/class 5"));
            settings.setExploration(QStringLiteral("corners = 7\n"));
            settings.setExplorerFolder(QStringLiteral("/lessons"));
        }
        QCOMPARE(configFiles(), QStringList{QStringLiteral("chaos-game/chaos-game.conf")});
        const Settings again;
        QCOMPARE(again.saveFolder(), QStringLiteral("/pictures/class 5"));
        QCOMPARE(again.exploration(), QStringLiteral("corners = 7\n"));
        QCOMPARE(again.explorerFolder(), QStringLiteral("/lessons"));
    }

    // The earlier releases' second file: read once into the one file, not
    // over what is there already, then gone, folder and all.
    void theStrayFileIsTakenOverOnceAndRemoved()
    {
        writeFile(mainFile(), "[pictures]\nsaveFolder=/kept\n");
        writeFile(strayFile(), "[explorer]\nexploration=corners = 5\\n\nfolder=/from-stray\n"
                               "[pictures]\nsaveFolder=/stray-must-not-win\n");
        {
            Settings settings;
            settings.takeOverStrayValues();
            QCOMPARE(settings.saveFolder(), QStringLiteral("/kept"));
            QCOMPARE(settings.exploration(), QStringLiteral("corners = 5\n"));
            QCOMPARE(settings.explorerFolder(), QStringLiteral("/from-stray"));
        }
        QCOMPARE(configFiles(), QStringList{QStringLiteral("chaos-game/chaos-game.conf")});
        QVERIFY(!QFileInfo::exists(QFileInfo(strayFile()).absolutePath()));
        // Once: a later change stays, nothing comes back.
        Settings().takeOverStrayValues();
        Settings().setExploration(QStringLiteral("corners = 9\n"));
        QCOMPARE(Settings().exploration(), QStringLiteral("corners = 9\n"));
        QCOMPARE(QSettings(mainFile(), QSettings::IniFormat).value(QStringLiteral("explorer/exploration")).toString(),
                 QStringLiteral("corners = 9\n"));
    }

#ifdef Q_OS_UNIX
    // A named pipe (or a folder) in place of the one file or the stray one:
    // at once, nothing read or written, the defaults, the reason told; the
    // pipe left as it was.
    void aFileThatIsNoOrdinaryFileIsNotRead_data()
    {
        QTest::addColumn<bool>("stray");
        QTest::addColumn<bool>("pipe");
        QTest::newRow("a pipe for the settings file") << false << true;
        QTest::newRow("a folder for the settings file") << false << false;
        QTest::newRow("a pipe for the stray file") << true << true;
    }
    void aFileThatIsNoOrdinaryFileIsNotRead()
    {
        QFETCH(bool, stray);
        QFETCH(bool, pipe);
        const QString path = stray ? strayFile() : mainFile();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir().mkpath(path));

        QElapsedTimer timer;
        timer.start();
        {
            Settings settings;
            settings.takeOverStrayValues();
            QCOMPARE(settings.problem().isEmpty(), stray);
            if (!stray)
                QVERIFY2(settings.problem().contains(QDir::toNativeSeparators(path)), qPrintable(settings.problem()));
            settings.setSaveFolder(QStringLiteral("/somewhere"));
            QCOMPARE(settings.saveFolder(), stray ? QStringLiteral("/somewhere") : QString());
        }
        QVERIFY(timer.elapsed() < 2000);
        const QFileInfo left(path);
        QVERIFY(pipe ? !left.isFile() && !left.isDir() && left.exists() : left.isDir());
        QCOMPARE(QFileInfo::exists(mainFile()), true);
    }

    void aSettingsFileTooLargeIsNotRead()
    {
        writeFile(mainFile(), "[pictures]\nsaveFolder=/kept\n" + QByteArray(Settings::kMostBytes, '#'));
        const Settings settings;
        QVERIFY2(settings.problem().contains(QLatin1String("too large")), qPrintable(settings.problem()));
        QCOMPARE(settings.saveFolder(), QString());
    }
#endif
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
