// SPDX-License-Identifier: GPL-3.0-or-later
#include "testsupport.h"

#include "mainwindow/inputholdback.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

double ScriptedRandom::nextScripted()
{
    const double value = m_values[m_next];
    m_next = (m_next + 1) % m_values.size();
    ++drawn;
    return value;
}

void ScriptedRandom::setValues(std::vector<double> values)
{
    m_values = std::move(values);
    m_next = 0;
}

bool FakeClock::pause(QObject *context, std::function<void()> resume)
{
    now += 1.0f / 64;
    ++pauses;
    if (onPause)
        onPause();
    if (!throughEventLoop)
        return false;
    QTimer::singleShot(0, context, std::move(resume));
    return true;
}

GameWindow::GameWindow()
{
    open(random);
}

GameWindow::~GameWindow()
{
    delete m_window.data();
}

void GameWindow::open(RandomSource &source)
{
    m_window = new MainWindow(source, clock);
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window))
        qFatal("the main window did not show");
}

void GameWindow::reopen(RandomSource &source)
{
    delete m_window.data();
    open(source);
}

QPushButton *GameWindow::button(const char *name)
{
    auto *found = m_window->findChild<QPushButton *>(QLatin1String(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

bool GameWindow::activate()
{
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window);
}

void GameWindow::click(const char *name)
{
    button(name)->click();
    if (!QTest::qWaitFor([this] { return !modeRunning(); }, 20000))
        qWarning("the mode did not end");
}

bool GameWindow::modeRunning()
{
    return m_window && m_window->findChild<InputHoldBack *>()->modeRunning();
}

void GameWindow::clickCanvas(Qt::MouseButton mouseButton)
{
    QTest::mouseClick(&canvas(), mouseButton, {}, QPoint(5, canvas().height() - 5));
}

QRgb GameWindow::background()
{
    return colourFromPacked(PackedColour::ButtonFace, canvas().palette()).rgb();
}

bool GameWindow::drawnAt(double x, double y)
{
    return canvas().colourAt(x, y).rgb() != background();
}

int GameWindow::drawnBetween(double x1, double y1, double x2, double y2)
{
    const QImage image = canvas().picture();
    const QRect area = QRect(canvas().pixelOf(x1, y1), canvas().pixelOf(x2, y2)).normalized();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && image.pixel(x, y) != background();
    return count;
}

QImage GameWindow::region(double x1, double y1, double x2, double y2)
{
    const QRect area = QRect(canvas().pixelOf(x1, y1), canvas().pixelOf(x2, y2)).normalized();
    return canvas().picture().copy(area);
}

ReferenceCanvas::ReferenceCanvas() : Canvas(QSize(961, 657))
{
    setScale(0, 750, 1000, 0);
    clear();
}

QImage ReferenceCanvas::region(double x1, double y1, double x2, double y2) const
{
    const QRect area = QRect(pixelOf(x1, y1), pixelOf(x2, y2)).normalized();
    return picture().copy(area);
}

QWidget *openDialog()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (qobject_cast<QDialog *>(window) && window->isVisible())
            return window;
    return nullptr;
}

QTimer *whenModalOpens(std::function<void(QWidget *)> handle)
{
    auto *timer = new QTimer(qApp);
    auto triesLeft = std::make_shared<int>(300);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, triesLeft] {
        QWidget *dialog = openDialog();
        if (!dialog && --*triesLeft > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog)
            handle(dialog);
        else
            qWarning("no modal dialog opened");
    });
    timer->start();
    return timer;
}

QTimer *whenMenuOpens(std::function<void(QMenu *)> handle)
{
    auto *timer = new QTimer(qApp);
    auto triesLeft = std::make_shared<int>(300);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, triesLeft] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu && --*triesLeft > 0)
            return;
        timer->stop();
        timer->deleteLater();
        if (menu)
            handle(menu);
        else
            qWarning("no menu opened");
    });
    timer->start();
    return timer;
}

void answerNextFraction(const QString &answer)
{
    whenModalOpens([answer](QWidget *dialog) {
        auto *ask = qobject_cast<QInputDialog *>(dialog);
        if (!ask)
            qFatal("the modal dialog is not the fraction's input box");
        ask->setTextValue(answer);
        ask->accept();
    });
}
