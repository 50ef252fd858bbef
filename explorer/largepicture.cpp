// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/largepicture.h"

#include "exploration/posterrender.h"
#include "explorer/posterdrawing.h"
#include "files/pictureformats.h"
#include "program/filechoice.h"
#include "program/platform.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTimer>

namespace {

constexpr quint64 kMostDots = 100'000'000'000ULL;

QSpinBox *sideBox(int value)
{
    auto *box = new QSpinBox;
    box->setRange(1, LargePicture::kLargestSide);
    box->setValue(value);
    box->setSuffix(QObject::tr(" pixels"));
    return box;
}

} // namespace

LargePicture::LargePicture(QWidget *window, const ExplorerSetup &setup, const FigureView &view, Writer write)
    : QObject(window), m_window(window), m_setup(setup), m_view(view), m_write(std::move(write))
{
}

// The drawing, a child, stops with it.
LargePicture::~LargePicture() = default;

LargePicture *LargePicture::ask(QWidget *window, const ExplorerSetup &setup, const FigureView &view, const QStringList &filters,
                       const QString &folder, Writer write)
{
    auto *saving = new LargePicture(window, setup, view, std::move(write));

    auto *dialog = new QDialog(window);
    dialog->setObjectName(QStringLiteral("largePicture"));
    dialog->setWindowTitle(tr("Save Large Picture"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    QSpinBox *width = sideBox(4000);
    QSpinBox *height = sideBox(4000);
    width->setObjectName(QStringLiteral("width"));
    height->setObjectName(QStringLiteral("height"));
    width->setAccessibleName(tr("Width"));
    height->setAccessibleName(tr("Height"));
    width->setToolTip(tr("Up to %1 pixels").arg(kLargestSide));
    height->setToolTip(width->toolTip());
    auto *dots = new QLineEdit;
    dots->setObjectName(QStringLiteral("dots"));
    dots->setAccessibleName(tr("Dots"));
    dots->setToolTip(tr("How many dots to draw; ten per pixel make a solid figure"));
    // In the locale's digits and separators ("167,772,160"), as read back.
    const auto suggestDots = [width, height, dots] {
        dots->setText(QLocale().toString(qulonglong(solidFigureDots(QSize(width->value(), height->value())))));
    };
    suggestDots();
    QObject::connect(width, &QSpinBox::valueChanged, dots, suggestDots);
    QObject::connect(height, &QSpinBox::valueChanged, dots, suggestDots);
    auto *form = new QFormLayout(dialog);
    const auto label = [](const QString &text, QWidget *buddy) {
        auto *made = new QLabel(text);
        made->setBuddy(buddy);
        return made;
    };
    form->addRow(label(tr("&Width:"), width), width);
    form->addRow(label(tr("&Height:"), height), height);
    form->addRow(label(tr("&Dots:"), dots), dots);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    form->addRow(buttons);
    // Sized to its fields, the box would leave the window manager too little
    // room for its title ("Save L…icture"): as wide as the title twice over,
    // with room for the title bar's buttons.
    const QFontMetrics metrics(dialog->font());
    dialog->setMinimumWidth(2 * metrics.horizontalAdvance(dialog->windowTitle()) + 6 * metrics.height());
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [=] {
        bool ok = false;
        const quint64 count = QLocale().toULongLong(dots->text().trimmed(), &ok);
        if (!ok || count < 1 || count > kMostDots) {
            dots->setFocus();
            dots->selectAll();
            return;
        }
        const QSize size(width->value(), height->value());
        dialog->accept();
        const QString name = QStringLiteral("chaos-explorer-%1x%2.png").arg(size.width()).arg(size.height());
        if (Platform::savesByDownload()) {
            // In a browser the picture is downloaded under its name: no
            // folder to choose, nothing to cancel.
            askForFile(window, tr("Save Large Picture"), folder, name, filters, true,
                       [saving, size, count](const QString &path) { saving->draw(size, count, path); });
            return;
        }
        auto *files = new QFileDialog(window, tr("Save Large Picture"), folder);
        files->setAttribute(Qt::WA_DeleteOnClose);
        files->setWindowModality(Qt::WindowModal);
        files->setAcceptMode(QFileDialog::AcceptSave);
        files->setNameFilters(filters);
        // A name typed without an extension takes that of the chosen filter.
        files->setDefaultSuffix(defaultSuffixOf(filters.value(0)));
        QObject::connect(files, &QFileDialog::filterSelected, files,
                         [files](const QString &filter) { files->setDefaultSuffix(defaultSuffixOf(filter)); });
        files->selectFile(name);
        QObject::connect(files, &QFileDialog::fileSelected, saving,
                         [saving, size, count](const QString &path) { saving->draw(size, count, path); });
        QObject::connect(files, &QFileDialog::rejected, saving, &QObject::deleteLater);
        files->open();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(dialog, &QDialog::rejected, saving, &QObject::deleteLater);
    dialog->open();
    return saving;
}

void LargePicture::draw(QSize size, quint64 dots, const QString &path)
{
    m_path = path;
    m_total = dots;
    PosterJob job;
    job.settings = m_setup.settings;
    job.size = size;
    job.dots = dots;
    job.seed = QRandomGenerator::system()->generate64();
    job.view = viewFittedTo(m_view, size);

    m_progress = new QProgressDialog(tr("Drawing %1 dots\u2026").arg(QLocale().toString(qulonglong(dots))),
                                     tr("Cancel"), 0, 1000, m_window);
    m_progress->setWindowTitle(tr("Save Large Picture"));
    // Not modal: the window stays live while the picture draws, and closing
    // it cancels the drawing (see the destructor) rather than being refused.
    m_progress->setWindowModality(Qt::NonModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->show();

    m_drawing = new PosterDrawing(job, this);
    connect(m_progress, &QProgressDialog::canceled, m_drawing, &PosterDrawing::cancel);
    connect(m_drawing, &PosterDrawing::finished, this, &LargePicture::finish);
    m_poll = new QTimer(this);
    connect(m_poll, &QTimer::timeout, this, [this] {
        m_progress->setValue(int(1000.0 * double(m_drawing->dotsDone()) / double(std::max<quint64>(1, m_total))));
    });
    m_poll->start(100);
    m_drawing->start();
}

void LargePicture::finish(const PosterResult &result)
{
    m_poll->stop();
    m_progress->close();
    m_progress->deleteLater();
    if (result.outcome == PosterResult::Outcome::Done) {
        QImage picture = result.image;
        if (m_setup.dark) {
            // The export draws on white; the dark background swaps the
            // background and black for the Explorer's dark and white.
            QList<QRgb> table = picture.colorTable();
            for (QRgb &colour : table)
                colour = colour == qRgb(255, 255, 255) ? qRgb(0x10, 0x14, 0x18)
                       : colour == qRgb(0, 0, 0)       ? qRgb(255, 255, 255)
                                                       : colour;
            picture.setColorTable(table);
        }
        m_write(picture, m_path);
    } else if (result.outcome == PosterResult::Outcome::OutOfMemory) {
        auto *box = new QMessageBox(QMessageBox::Warning, tr("Save Large Picture"),
                                    tr("There is not enough memory for a picture this large."), QMessageBox::Ok,
                                    m_window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
    }
    deleteLater();
}
