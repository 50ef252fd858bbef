// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/keyboardhandback.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace {

class KeyboardHandBack : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            const auto *box = static_cast<QWidget *>(watched);
            if (box->isWindow() && box->parentWidget())
                handBackLater(box->parentWidget()->window());
        }
        return false;
    }

private:
    static void handBackLater(QWidget *owner)
    {
        QTimer::singleShot(0, owner, [owner = QPointer<QWidget>(owner)] {
            // The platform may still name the closed box as active.
            const QWidget *active = QApplication::activeWindow();
            if (!owner || !owner->isVisible() || (active && active->isVisible()))
                return;
            const QList<QWidget *> children = owner->findChildren<QWidget *>();
            const bool aBoxIsOpen = std::any_of(children.begin(), children.end(), [](const QWidget *child) {
                return child->isWindow() && child->isVisible() && child->windowType() != Qt::ToolTip;
            });
            if (!aBoxIsOpen)
                owner->activateWindow();
        });
    }
};

} // namespace

void handTheKeyboardBackAfterBoxes(QApplication &application)
{
    application.installEventFilter(new KeyboardHandBack(&application));
}
