// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/pictureformats.h"
#include "files/startfolder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// The picture files' rules every saver shares: the format a name asks for,
// the extension the dialog adds, and where the dialog starts.
class PictureFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void theExtensionChoosesTheFormat_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << "a/figure.png" << QByteArray("png");
        QTest::newRow("no extension") << "figure" << QByteArray("png");
        QTest::newRow("jpg") << "figure.jpg" << QByteArray("jpeg");
        QTest::newRow("JPEG in capitals") << "FIGURE.JPEG" << QByteArray("jpeg");
        QTest::newRow("bmp") << "figure.Bmp" << QByteArray("bmp");
        QTest::newRow("gif") << "figure.gif" << QByteArray();
        QTest::newRow("a dotted folder") << "class.5/figure.png" << QByteArray("png");
    }
    void theExtensionChoosesTheFormat()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, format);
        QCOMPARE(pictureFormatFor(path), format);
    }

    // Each filter's own extension is added to a name typed without one, and
    // reads back as that filter's format.
    void eachFilterAddsItsOwnExtension()
    {
        const QStringList filters = pictureFilters();
        QCOMPARE(filters.size(), 3);
        QCOMPARE(filters.first(), QStringLiteral("PNG image (*.png)"));
        const QStringList suffixes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("bmp")};
        const QList<QByteArray> formats = {"png", "jpeg", "bmp"};
        for (qsizetype i = 0; i < filters.size(); ++i) {
            QCOMPARE(defaultSuffixOf(filters[i]), suffixes[i]);
            QCOMPARE(pictureFormatFor(QStringLiteral("figure.") + suffixes[i]), formats[i]);
        }
    }

    void theDialogStartsInTheRememberedFolderWhileItIsThere()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QVERIFY(!pictures.isEmpty());
        // No pictures folder: the home folder.
        QCOMPARE(startFolder(QString()), QDir::homePath());
        QVERIFY(QDir().mkpath(pictures));
        QCOMPARE(startFolder(QString()), pictures);
        QCOMPARE(startFolder(home.filePath(QStringLiteral("gone"))), pictures);
        QCOMPARE(startFolder(home.path()), home.path());
    }
};

QTEST_GUILESS_MAIN(PictureFilesTest)
#include "tst_picturefiles.moc"
