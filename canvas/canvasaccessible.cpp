// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/canvasaccessible.h"

#include "canvas/canvas.h"

#include <algorithm>

namespace {

QAccessibleInterface *createForCanvas(const QString &className, QObject *object)
{
    if (className != QLatin1String("Canvas"))
        return nullptr;
    auto *canvas = qobject_cast<Canvas *>(object);
    return canvas ? new CanvasAccessible(canvas) : nullptr;
}

} // namespace

CanvasAccessible::CanvasAccessible(Canvas *canvas) : QAccessibleWidget(canvas, QAccessible::Canvas)
{
}

void CanvasAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(createForCanvas);
        return true;
    }();
    Q_UNUSED(installed);
}

TextChange textChange(const QString &before, const QString &after)
{
    const auto firstDifference = std::mismatch(before.cbegin(), before.cend(), after.cbegin(), after.cend());
    const auto position = static_cast<int>(firstDifference.first - before.cbegin());
    return {position, before.mid(position), after.mid(position)};
}

void CanvasAccessible::announceChange(Canvas *canvas, const QString &before, const QString &after)
{
    // Naming only what changed lets a reader speak just the new lines.
    const TextChange change = textChange(before, after);
    QAccessibleTextUpdateEvent event(canvas, change.position, change.removed, change.inserted);
    QAccessible::updateAccessibility(&event);
}

QString CanvasAccessible::shownText() const
{
    return static_cast<const Canvas *>(widget())->accessibleText();
}

void *CanvasAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State CanvasAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
}

void CanvasAccessible::selection(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

int CanvasAccessible::selectionCount() const
{
    return 0;
}

void CanvasAccessible::addSelection(int, int) {}

void CanvasAccessible::removeSelection(int) {}

void CanvasAccessible::setSelection(int, int, int) {}

int CanvasAccessible::cursorPosition() const
{
    return std::min(m_cursor, characterCount());
}

void CanvasAccessible::setCursorPosition(int position)
{
    m_cursor = std::clamp(position, 0, characterCount());
}

QString CanvasAccessible::text(int startOffset, int endOffset) const
{
    const QString all = shownText();
    const int start = std::clamp(startOffset, 0, int(all.size()));
    const int end = endOffset < 0 ? int(all.size()) : std::clamp(endOffset, start, int(all.size()));
    return all.mid(start, end - start);
}

int CanvasAccessible::characterCount() const
{
    return int(shownText().size());
}

QRect CanvasAccessible::characterRect(int) const
{
    return QRect();
}

int CanvasAccessible::offsetAtPoint(const QPoint &) const
{
    return -1;
}

void CanvasAccessible::scrollToSubstring(int, int) {}

QString CanvasAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}
