// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/pictureprinting.h"
#include "mainwindow/picturesharing.h"
#include "testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <memory>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// Saving the figure to a file and copying it to the clipboard.
class PictureSharingTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir home;
    std::unique_ptr<QTemporaryDir> folder; // where a test saves
    std::unique_ptr<GameWindow> game;

    QString picturesFolder() const { return home.filePath(QStringLiteral("Pictures")); }
    QString inFolder(const QString &name) const { return folder->filePath(name); }
    QStringList folderEntries() const
    {
        return QDir(folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // A key pressed in the active main window. (The offscreen platform does
    // not hand the activation back to it when a dialog closes.)
    void pressOnWindow(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (!game->activate())
            qWarning("the main window is not active");
        // Through the window, as the window system delivers keys.
        QTest::keyClick(game->window().windowHandle(), key, modifiers);
        // A dialog opens without waiting: let the test's handler answer it.
        if (!QTest::qWaitFor([] { return !openDialog(); }, 10000))
            qWarning("a dialog is still open after 10 s");
    }

    // Types a name into the file dialog's name field, as a user would, and presses Enter.
    static void typeFileNameAndEnter(QFileDialog *dialog, const QString &name)
    {
        if (!dialog)
            qFatal("no file dialog opened");
        auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        field->clear();
        // At a typist's pace: the dialog looks each partial name up as it is typed.
        QTest::keyClicks(field, name, {}, 20);
        QTest::keyClick(field, Qt::Key_Return);
    }

    static QImage rgb(const QImage &image) { return image.convertToFormat(QImage::Format_RGB32); }

    // What a PDF file written by Qt holds: its pages, its images (with
    // their pixels when stored losslessly) and the matrices its pages draw
    // them with.
    struct Pdf
    {
        int pages = 0;
        QList<QImage> images;
        QStringList filters;     // of each image
        QByteArray drawing;      // the pages' drawing operators, inflated
        double pageWidth = 0;    // of the first page, in points
    };
    static Pdf readPdf(const QString &path)
    {
        QFile file(path);
        Pdf pdf;
        if (!file.open(QIODevice::ReadOnly))
            return pdf;
        const QByteArray data = file.readAll();
        const QString text = QString::fromLatin1(data);
        pdf.pages = int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
        const auto box = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+)")).match(text);
        pdf.pageWidth = box.captured(1).toDouble();
        static const QRegularExpression object(QStringLiteral("<<((?:(?!>>).)*)>>\\s*stream\\r?\\n"),
                                               QRegularExpression::DotMatchesEverythingOption);
        for (auto it = object.globalMatch(text); it.hasNext();) {
            const auto found = it.next();
            const QString dictionary = found.captured(1);
            const qsizetype start = found.capturedEnd();
            QByteArray stream = data.mid(start, data.indexOf("endstream", start) - start);
            if (dictionary.contains(QLatin1String("/FlateDecode"))) {
                QByteArray sized(4, 0);
                qToBigEndian<quint32>(1 << 20, sized.data());
                stream = qUncompress(sized + stream);
            }
            if (!dictionary.contains(QLatin1String("/Subtype /Image"))) {
                pdf.drawing += stream;
                continue;
            }
            auto number = [&](const char *key) {
                return QRegularExpression(QLatin1String(key) + QStringLiteral(" (\\d+)")).match(dictionary).captured(1).toInt();
            };
            const int width = number("/Width"), height = number("/Height");
            pdf.filters << QRegularExpression(QStringLiteral("/Filter /(\\w+)")).match(dictionary).captured(1);
            pdf.images << (stream.size() == 3LL * width * height
                               ? QImage(reinterpret_cast<const uchar *>(stream.constData()), width, height, 3 * width,
                                        QImage::Format_RGB888).copy()
                               : QImage(width, height, QImage::Format_RGB888));
        }
        return pdf;
    }

    // The text and the reason of the message box that `act` opens, which is
    // then closed; empty when none opened.
    static QStringList messageOf(const std::function<void()> &act)
    {
        QStringList message;
        const QPointer<QTimer> watch = whenModalOpens([&message](QWidget *dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
                message = QStringList{box->text(), box->informativeText()};
                QCOMPARE(box->icon(), QMessageBox::Warning);
            }
            dialog->close();
        });
        act();
        // The box opens without waiting; it is read and closed from the event loop.
        if (!QTest::qWaitFor([] { return !openDialog(); }, 5000))
            qWarning("a box is still open after 5 s");
        delete watch.data(); // nothing opened: disarm it
        return message;
    }

private slots:
    void initTestCase()
    {
        // A home of the test's own, with a pictures folder the dialog starts in.
        QVERIFY(home.isValid());
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Pictures")));
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());
        QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), picturesFolder());
    }

    void init()
    {
        // Each test starts as on a first run: no folder remembered.
        QSettings(QStringLiteral("chaos-game"), QStringLiteral("chaos-game")).clear();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        game = std::make_unique<GameWindow>();
        // Corners from a long, varied sequence, so that a game draws its figure.
        std::minstd_rand generator(12);
        std::uniform_real_distribution<double> r(0.0, 1.0);
        std::vector<double> values(9973);
        for (double &value : values)
            value = r(generator);
        game->random.setValues(values);
        QVERIFY(game->activate());
    }

    void cleanup()
    {
        game.reset();
        folder.reset();
    }

    void theFileHoldsThePicturesPixels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("png") << "figure.png" << QByteArray("png");
        QTest::newRow("PNG in capitals") << "FIGURE.PNG" << QByteArray("png");
        QTest::newRow("no extension: png") << "figure" << QByteArray("png");
        QTest::newRow("bmp") << "figure.bmp" << QByteArray("bmp");
    }

    void theFileHoldsThePicturesPixels()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        game->click("cmdSquare");
        const QImage picture = game->canvas().picture();
        QVERIFY(game->drawnBetween(150, 700, 850, 40) > 2000); // the figure is there

        PictureSharing sharing(&game->window());
        QVERIFY(sharing.saveTo(picture, inFolder(name)));

        QImageReader reader(inFolder(name));
        QCOMPARE(reader.format(), format);
        const QImage saved = reader.read();
        QCOMPARE(saved.size(), QSize(957, 653));
        QCOMPARE(rgb(saved), rgb(picture));
        QCOMPARE(folderEntries(), QStringList{name});
    }

    void jpegIsChosenByItsExtension()
    {
        game->click("cmdHexagon");
        const QImage picture = rgb(game->canvas().picture());
        PictureSharing sharing(&game->window());
        for (const QString &name : {QStringLiteral("figure.jpg"), QStringLiteral("figure.jpeg")}) {
            QVERIFY(sharing.saveTo(picture, inFolder(name)));
            QImageReader reader(inFolder(name));
            QCOMPARE(reader.format(), QByteArray("jpeg"));
            const QImage saved = rgb(reader.read());
            QCOMPARE(saved.size(), picture.size());
            // Lossy, but close: the mean difference of a channel stays small.
            qint64 difference = 0;
            for (int y = 0; y < saved.height(); ++y)
                for (int x = 0; x < saved.width(); ++x)
                    difference += std::abs(qGray(saved.pixel(x, y)) - qGray(picture.pixel(x, y)));
            QVERIFY2(difference < 4 * qint64(saved.width()) * saved.height(), qPrintable(QString::number(difference)));
        }
    }

    void savingReplacesAnExistingFile()
    {
        QFile old(inFolder(QStringLiteral("figure.png")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();

        game->click("cmdSquare");
        PictureSharing sharing(&game->window());
        QVERIFY(sharing.saveTo(game->canvas().picture(), old.fileName()));
        QCOMPARE(rgb(QImage(old.fileName())), rgb(game->canvas().picture()));
        QCOMPARE(folderEntries(), QStringList{QStringLiteral("figure.png")});
    }

    void aFailureIsShownAndLeavesNoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such folder") << "missing/figure.png" << "No such file or directory";
        QTest::newRow("a folder's name") << "album" << "A folder has that name.";
        QTest::newRow("an unknown extension") << "figure.gif" << ".png";
#ifdef Q_OS_UNIX
        QTest::newRow("not an ordinary file") << "pipe.png" << "not an ordinary file";
#endif
    }

    void aFailureIsShownAndLeavesNoFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("album")));
#ifdef Q_OS_UNIX
        QCOMPARE(::mkfifo(QFile::encodeName(inFolder(QStringLiteral("pipe.png"))).constData(), 0600), 0);
#endif
        const QStringList before = folderEntries();

        PictureSharing sharing(&game->window());
        bool saved = true;
        const QStringList message = messageOf([&] { saved = sharing.saveTo(game->canvas().picture(), inFolder(name)); });

        QVERIFY(!saved);
        QCOMPARE(message.size(), 2);
        QVERIFY2(message[0].contains(QDir::toNativeSeparators(inFolder(name))), qPrintable(message[0]));
        QVERIFY2(message[1].contains(reason), qPrintable(message[1]));
        QCOMPARE(folderEntries(), before);
        QVERIFY(QDir(inFolder(QStringLiteral("album"))).isEmpty());
    }

#ifdef Q_OS_UNIX
    void aWriteThatFailsHalfWayKeepsTheOldFile()
    {
        // A limit on the size of written files stands in for a full disk.
        QFile old(inFolder(QStringLiteral("figure.png")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the picture saved before");
        old.close();

        game->click("cmdHexagon");
        const QImage picture = game->canvas().picture();
        PictureSharing sharing(&game->window());
        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit unlimited = limit;
        limit.rlim_cur = 4096;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        // What goes to standard error meanwhile, caught in a file.
        QTemporaryFile caught;
        QVERIFY(caught.open());
        std::fflush(stderr);
        const int standardError = ::dup(STDERR_FILENO);
        QVERIFY(::dup2(caught.handle(), STDERR_FILENO) >= 0);
        bool saved = true;
        const QStringList message = messageOf([&] { saved = sharing.saveTo(picture, old.fileName()); });
        std::fflush(stderr);
        ::dup2(standardError, STDERR_FILENO);
        ::close(standardError);
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        std::signal(SIGXFSZ, previousHandler);
        // The message says why; the image library's own lines stay out.
        QVERIFY(caught.seek(0));
        const QByteArray told = caught.readAll();
        QVERIFY2(!told.contains("libpng"), told.constData());

        QVERIFY(!saved);
        QCOMPARE(message.size(), 2);
        QVERIFY2(message[1].contains(QLatin1String("too large")), qPrintable(message[1]));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the picture saved before"));
        QCOMPARE(folderEntries(), QStringList{QStringLiteral("figure.png")});
    }
#endif

#ifdef Q_OS_UNIX
    // A picture saved over another keeps the other's permissions: a
    // read-only picture stays read-only (for root, who may replace it; for
    // others the save is refused, saying so), a private one private.
    void aReplacedPictureKeepsItsPermissions_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("read-only") << 0444;
        QTest::newRow("private") << 0600;
        QTest::newRow("group-readable") << 0640;
    }
    void aReplacedPictureKeepsItsPermissions()
    {
        QFETCH(int, mode);
        const QString path = inFolder(QStringLiteral("figure.png"));
        game->click("cmdSquare");
        PictureSharing sharing(&game->window());
        QVERIFY(sharing.saveTo(game->canvas().picture(), path));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode_t(mode)), 0);

        bool saved = false;
        const QStringList message = messageOf([&] { saved = sharing.saveTo(game->canvas().picture(), path); });
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        if (!saved) {
            QVERIFY(mode == 0444 && ::geteuid() != 0);
            QVERIFY2(message.value(1).contains(QLatin1String("not writable")), qPrintable(message.join(u'|')));
        }
        QCOMPARE(folderEntries(), QStringList{QStringLiteral("figure.png")});
    }
#endif

    void ctrlSOpensTheStandardDialogAndSavesWhereTheUserSays()
    {
        game->click("cmdSquare");
        const QString typed = inFolder(QStringLiteral("worksheet.png"));
        QString title, startFolder, offered;
        whenModalOpens([&](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            if (!files)
                qFatal("Ctrl+S opened no file dialog");
            title = files->windowTitle();
            startFolder = files->directory().absolutePath();
            offered = files->selectedFiles().value(0);
            typeFileNameAndEnter(files, typed);
        });
        pressOnWindow(Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(title, QStringLiteral("Save Picture As"));
        QCOMPARE(startFolder, picturesFolder());
        QCOMPARE(offered, QDir(picturesFolder()).filePath(QStringLiteral("chaos-game-square.png")));
        QTRY_VERIFY(QFile::exists(typed));
        QCOMPARE(rgb(QImage(typed)), rgb(game->canvas().picture()));
    }

    // A name typed without an extension takes that of the chosen type, and
    // the picture is written in that format.
    void aNameWithoutExtensionTakesTheChosenType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("PNG") << 0 << "sheet.png" << QByteArray("png");
        QTest::newRow("JPEG") << 1 << "sheet.jpg" << QByteArray("jpeg");
        QTest::newRow("BMP") << 2 << "sheet.bmp" << QByteArray("bmp");
    }
    void aNameWithoutExtensionTakesTheChosenType()
    {
        QFETCH(int, type);
        QFETCH(QString, written);
        QFETCH(QByteArray, format);
        game->click("cmdSquare");
        QStringList types;
        whenModalOpens([&](QWidget *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            if (!files)
                qFatal("Ctrl+S opened no file dialog");
            types = files->nameFilters();
            // Chosen as a user does, in the dialog's list of types.
            auto *list = files->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            if (!list)
                qFatal("the file dialog has no list of types");
            list->setFocus();
            for (int down = 0; down < type; ++down)
                QTest::keyClick(list, Qt::Key_Down);
            files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setFocus();
            typeFileNameAndEnter(files, inFolder(QStringLiteral("sheet")));
        });
        pressOnWindow(Qt::Key_S, Qt::ControlModifier);

        QCOMPARE(types, (QStringList{QStringLiteral("PNG image (*.png)"), QStringLiteral("JPEG image (*.jpg *.jpeg)"),
                                     QStringLiteral("BMP image (*.bmp)")}));
        QTRY_COMPARE(folderEntries(), QStringList{written});
        QCOMPARE(QImageReader(inFolder(written)).format(), format);
    }

    void theNextSaveOffersTheLastModeInTheLastFolder()
    {
        auto offeredAfterCtrlS = [this] {
            QString offered;
            whenModalOpens([&offered](QWidget *dialog) {
                auto *files = qobject_cast<QFileDialog *>(dialog);
                offered = files ? files->selectedFiles().value(0) : QStringLiteral("no file dialog");
                dialog->close(); // cancelled: nothing is saved
            });
            pressOnWindow(Qt::Key_S, Qt::ControlModifier);
            return offered;
        };
        QCOMPARE(offeredAfterCtrlS(), QDir(picturesFolder()).filePath(QStringLiteral("chaos-game.png")));

        // The tracked game keeps its name over the steps the canvas takes.
        game->click("cmdTrack");
        game->clickCanvas();
        QCOMPARE(offeredAfterCtrlS(), QDir(picturesFolder()).filePath(QStringLiteral("chaos-game-tracked.png")));
        QCOMPARE(QDir(picturesFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

        // Saved once into another folder, the dialog starts there next time.
        game->click("cmdExplain");
        whenModalOpens([this](QWidget *dialog) {
            typeFileNameAndEnter(qobject_cast<QFileDialog *>(dialog), inFolder(QStringLiteral("page.png")));
        });
        pressOnWindow(Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(QFile::exists(inFolder(QStringLiteral("page.png"))));
        QCOMPARE(offeredAfterCtrlS(), inFolder(QStringLiteral("chaos-game-explanation.png")));

        // Also after a restart: the folder is kept in the user's settings file.
        game = std::make_unique<GameWindow>();
        QVERIFY(game->activate());
        QCOMPARE(offeredAfterCtrlS(), inFolder(QStringLiteral("chaos-game.png")));
        const QString file = home.filePath(QStringLiteral(".config/chaos-game/chaos-game.conf"));
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("pictures/saveFolder")).toString(),
                 folder->path());

        // A remembered folder that is gone no longer counts.
        folder.reset();
        QCOMPARE(offeredAfterCtrlS(), QDir(picturesFolder()).filePath(QStringLiteral("chaos-game.png")));
    }

    void ctrlCAndTheContextMenuCopyThePicture()
    {
        QGuiApplication::clipboard()->clear();
        game->click("cmdHexagon");
        pressOnWindow(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(rgb(QGuiApplication::clipboard()->image()), rgb(game->canvas().picture()));

        QGuiApplication::clipboard()->clear();
        game->click("cmdTrack");
        whenMenuOpens([](QMenu *menu) { QTest::keyClick(menu, Qt::Key_C); });
        QTest::mouseClick(game->window().windowHandle(), Qt::RightButton, {},
                          game->canvas().mapTo(&game->window(), QPoint(300, 300)));
        QTRY_VERIFY(!QGuiApplication::clipboard()->image().isNull());
        QCOMPARE(rgb(QGuiApplication::clipboard()->image()), rgb(game->canvas().picture()));
    }

    void ctrlCDuringARunCopiesTheFinishedFigure()
    {
        QGuiApplication::clipboard()->clear();
        bool emptyWhilePlaying = false;
        game->clock.onPause = [&] {
            if (game->clock.pauses == 1) {
                pressOnWindow(Qt::Key_C, Qt::ControlModifier);
                emptyWhilePlaying = QGuiApplication::clipboard()->image().isNull();
            }
        };
        game->clock.pauses = 0;
        game->click("cmdPlay");
        game->clock.onPause = nullptr;

        QVERIFY(emptyWhilePlaying);
        QTRY_VERIFY(!QGuiApplication::clipboard()->image().isNull());
        // The copy shows the whole run, "Complete" included.
        QCOMPARE(rgb(QGuiApplication::clipboard()->image()), rgb(game->canvas().picture()));
        QVERIFY(game->drawnBetween(935, 145, 999, 132) > 20);
    }
    void printingGivesOnePageWithThePictureAsLargeAsFits()
    {
        game->click("cmdSquare");
        const QImage picture = game->canvas().picture();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(inFolder(QStringLiteral("worksheet.pdf")));
        printer.setPageOrientation(QPageLayout::Landscape);
        QVERIFY(printPictureOn(printer, picture));

        const Pdf pdf = readPdf(inFolder(QStringLiteral("worksheet.pdf")));
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(pdf.images.size(), 1);
        // Every dot as it is: stored losslessly, pixel for pixel.
        QCOMPARE(pdf.filters, QStringList{QStringLiteral("FlateDecode")});
        QCOMPARE(rgb(pdf.images[0]), rgb(picture));
        // Drawn as large as the page's width allows, its proportions kept:
        // the device's scale, then the picture's own.
        static const QRegularExpression matrix(QStringLiteral("([-\\d.]+) 0 0 ([-\\d.]+) [-\\d.]+ [-\\d.]+ cm"));
        QList<double> scales;
        for (auto it = matrix.globalMatch(QString::fromLatin1(pdf.drawing)); it.hasNext();) {
            const auto found = it.next();
            scales << found.captured(1).toDouble() << found.captured(2).toDouble();
        }
        QVERIFY2(scales.size() >= 4, pdf.drawing.constData());
        const double across = scales[2], down = scales[3];
        QVERIFY2(qAbs(across / down - 1) < 0.001, qPrintable(QStringLiteral("%1 %2").arg(across).arg(down)));
        const double widthOnPage = picture.width() * across * qAbs(scales[0]);
        QVERIFY2(widthOnPage > 0.95 * pdf.pageWidth && widthOnPage < pdf.pageWidth, qPrintable(QString::number(widthOnPage)));
    }

    void ctrlPDuringARunOpensThePrintDialogAfterTheRun()
    {
        // Given during a run; the dialog, once open, prints to a file.
        int pausesWhenOpened = -1;
        const QString typed = inFolder(QStringLiteral("figure.pdf"));
        whenModalOpens([&](QWidget *dialog) {
            pausesWhenOpened = game->clock.pauses;
            auto *print = qobject_cast<QPrintDialog *>(dialog);
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
            if (!print || !name)
                qFatal("Ctrl+P opened no print dialog with an output file");
            name->setText(typed);
            print->accept();
        });
        game->clock.pauses = 0;
        game->clock.onPause = [&] {
            if (game->clock.pauses == 1)
                pressOnWindow(Qt::Key_P, Qt::ControlModifier);
        };
        game->click("cmdPlay");
        game->clock.onPause = nullptr;

        QTRY_VERIFY(QFile::exists(typed));
        QCOMPARE(pausesWhenOpened, 500); // the whole run came first
        const Pdf pdf = readPdf(typed);
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(rgb(pdf.images.value(0)), rgb(game->canvas().picture()));
    }

    void cancellingThePrintDialogChangesNothing()
    {
        game->click("cmdHexagon");
        const QImage before = game->canvas().picture();
        const QStringList files = folderEntries();
        bool opened = false;
        whenModalOpens([&](QWidget *dialog) {
            opened = qobject_cast<QPrintDialog *>(dialog);
            static_cast<QDialog *>(dialog)->reject();
        });
        pressOnWindow(Qt::Key_P, Qt::ControlModifier);
        QTRY_VERIFY(opened);
        QTRY_VERIFY(!openDialog());
        QCOMPARE(game->canvas().picture(), before);
        QCOMPARE(folderEntries(), files);
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("chaos-game-hexagon.pdf"))));
    }
};

QTEST_MAIN(PictureSharingTest)
#include "tst_picturesharing.moc"
