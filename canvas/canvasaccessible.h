// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleTextInterface>
#include <QAccessibleWidget>

class Canvas;

// How one text became another: from `position` on, `removed` gave way to `inserted`.
struct TextChange
{
    int position = 0;
    QString removed;
    QString inserted;
};
TextChange textChange(const QString &before, const QString &after);

// What assistive technology sees of the canvas: a picture whose text (the
// printed lines, see Canvas::accessibleText()) can be read like a read-only
// document, so a screen reader can read the explanation pages, the countdown
// and "Complete".
class CanvasAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit CanvasAccessible(Canvas *canvas);

    // Makes every canvas use this interface. Safe to call more than once.
    static void install();
    // Tells assistive technology that the canvas's text changed from `before`
    // to `after`, naming only the part that differs.
    static void announceChange(Canvas *canvas, const QString &before, const QString &after);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    using QAccessibleWidget::text;

    // Read-only text: no selection; the cursor is where the reader reads.
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    QString shownText() const;

    int m_cursor = 0;
};
