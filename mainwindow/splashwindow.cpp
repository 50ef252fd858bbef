// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/splashwindow.h"

#include "mainwindow/dialogfont.h"
#include "mainwindow/layoutscale.h"
#include "mainwindow/mainwindow.h"
#include "program/programicon.h"
#include "program/programidentity.h"
#include "mainwindow/scaledlayout.h"
#include "picture/programface.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace {

constexpr QSize kSplashSize(535, 338);

// The start-up window takes the scale that the main window's layout will
// take on the same screen, but never grows larger than the screen.
double splashScale(const QScreen *screen)
{
    if (!screen)
        return 1;
    return std::min(maximisedLayoutScale(*screen),
                    ScaledLayout::fittingFactor(kSplashSize, screen->availableGeometry().size()));
}

} // namespace

SplashWindow::SplashWindow(RandomSource &random, Clock &clock, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_random(random)
    , m_clock(clock)
    , m_box(new QFrame(this))
    , m_scale(splashScale(screen()))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(programIcon());
    setFont(scaledFont(dialogFont(8.25), m_scale, *this));
    setFixedSize(scaled(QRect(QPoint(0, 0), kSplashSize)).size());
    setFocusPolicy(Qt::StrongFocus);

    setAccessibleName(tr("The Chaos Game"));
    setAccessibleDescription(tr("Start-up window: click the box or press a key to begin"));

    m_box->setObjectName(QStringLiteral("Frame1"));
    m_box->setAccessibleName(tr("The Chaos Game"));
    m_box->setAccessibleDescription(tr("Click to begin"));
    m_box->setFrameShape(QFrame::Box);
    m_box->setFrameShadow(QFrame::Sunken);
    m_box->setGeometry(scaled(QRect(10, 4, 503, 325)));
    m_box->installEventFilter(this);

    QFont title(programFaceFamily(QStringLiteral("Arial")));
    title.setPointSizeF(18);
    title.setBold(true);
    addLabel("lblCompanyProduct", tr("The Chaos Game"), QRect(128, 72, 196, 29), title);
    addLabel("Label2", tr("The Authors"), QRect(136, 128, 121, 17), dialogFont(12, true));
    addLabel("Label3", tr("Department of Mathematics"), QRect(136, 160, 193, 17), dialogFont(9.75, true));
    addLabel("Label5", tr("Newtown, United Kingdom"), QRect(136, 176, 169, 17), dialogFont(9.75, true));
    addLabel("Label4", tr("chaosgame@example.org"), QRect(136, 208, 177, 17), dialogFont(9.75, true));
    addLabel("Label1", tr("(Expected screen resolution is 1024 x 768)"), QRect(136, 264, 305, 25),
             dialogFont(9.75, true));
    addLabel("Label6", tr("(click this box to begin)"), QRect(208, 288, 121, 17), dialogFont(8.25));
    findChild<QLabel *>(QStringLiteral("lblCompanyProduct"))->adjustSize(); // sizes itself to its text

    if (const QScreen *screen = this->screen())
        move(screen->geometry().center() - rect().center());
}

QRect SplashWindow::scaled(const QRect &place) const
{
    return ScaledLayout::scaled(place, m_scale);
}

void SplashWindow::addLabel(const char *name, const QString &text, const QRect &place, const QFont &font)
{
    auto *label = new QLabel(text, m_box);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(scaled(place));
    label->setFont(scaledFont(font, m_scale, *this));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true); // opaque, in the button face
    label->setAccessibleName(text);
    label->setAccessibleDescription(tr("Click to begin"));
    label->installEventFilter(this);
}

bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the box or a label: a primary press and release on the same one.
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonPress) {
                m_pressedOn = watched;
            } else if (m_pressedOn == watched
                       && static_cast<QWidget *>(watched)->rect().contains(mouse->position().toPoint())) {
                m_pressedOn = nullptr;
                begin();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    // Any key that types a character (Enter, Escape and Backspace included)
    // begins; arrows, function keys and lone modifiers do not. Alt
    // combinations belong to the window system.
    if (!event->text().isEmpty() && !(event->modifiers() & Qt::AltModifier)) {
        begin();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SplashWindow::showEvent(QShowEvent *event)
{
    // The window has no title bar and no title; the task bar and the window
    // switcher name it after the program, not after its id.
    if (QWindow *window = windowHandle())
        window->setTitle(programDisplayName());
    QWidget::showEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // A thin raised edge, as a dialog's fixed border, so that the window
    // stands out from the desktop without a title bar.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(palette().color(QPalette::Shadow));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void SplashWindow::begin()
{
    if (m_begun)
        return;
    m_begun = true;
    showMainWindow(m_random, m_clock);
    emit begun();
    close();
}
