// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/helpwindow.h"

#include "mainwindow/aboutbox.h"
#include "program/keylist.h"
#include "program/programidentity.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

// The list as rich text, one table per window.
QString keysAsHtml()
{
    QString html = HelpWindow::tr("<p>Each button starts one mode, which runs to its end. Keys and clicks given "
                                  "meanwhile take effect after it, in the order given.</p>");
    for (const KeyPlace &place : programKeys()) {
        html += QStringLiteral("<h4>%1</h4><table cellspacing=\"0\" cellpadding=\"3\">").arg(place.where.toHtmlEscaped());
        for (const KeyUse &use : place.keys)
            html += QStringLiteral("<tr><td nowrap><b>%1</b></td><td>%2</td></tr>")
                        .arg(use.keys.toHtmlEscaped(), use.what.toHtmlEscaped());
        html += QStringLiteral("</table>");
    }
    return html;
}

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    auto *keys = new QTextBrowser(this);
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("%1 Help").arg(programDisplayName()));
    // In the font of the window it helps with, scaled with its layout.
    if (parent)
        setFont(parent->font());

    keys->setObjectName(QStringLiteral("keyList"));
    keys->setAccessibleName(tr("Buttons and keys"));
    keys->setAccessibleDescription(tr("What each button and key of the program does"));
    keys->setHtml(keysAsHtml());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *about = buttons->addButton(tr("&About %1").arg(programDisplayName()), QDialogButtonBox::ActionRole);
    about->setObjectName(QStringLiteral("cmdAbout"));
    QPushButton *aboutQt = buttons->addButton(tr("About &Qt"), QDialogButtonBox::ActionRole);
    aboutQt->setObjectName(QStringLiteral("cmdAboutQt"));
    connect(about, &QPushButton::clicked, this, [this] { showAboutBox(this); });
    connect(aboutQt, &QPushButton::clicked, this, [this] { showAboutQt(this); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter closes the window, as Esc does.
    buttons->button(QDialogButtonBox::Close)->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(keys);
    layout->addWidget(buttons);

    // Wide enough for the keys and a short line of text beside them, tall
    // enough for the whole list where the screen allows; the rest scrolls.
    const QFontMetrics metrics(font());
    QSize size(metrics.averageCharWidth() * 90, metrics.lineSpacing() * 46);
    if (const QScreen *screen = parent ? parent->screen() : this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
    keys->setFocus();
}
