// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

#include "picture/easel.h"

// The picture area every mode draws on: a widget that shows an Easel (the
// picture with its user coordinates, drawing state and the pace of its
// presentation) and handles what a widget does: painting, resizing, the
// mouse, the keyboard, the focus and assistive technology. The picture lives
// in an image of the interior, so the drawing survives being covered or
// minimised.
//
// The image has one pixel per device pixel of the interior: a dot is one
// device pixel, so a larger canvas or a high-DPI screen shows a finer figure.
// When the canvas changes size or device pixel ratio the picture is scaled
// to the new image; back at the size it was drawn at, with nothing drawn in
// between, it shows its own pixels again.

class Canvas : public QWidget, public Easel
{
    Q_OBJECT
    Q_PROPERTY(QString accessibleText READ accessibleText NOTIFY accessibleTextChanged)

public:
    // A canvas of this outer size, the frame included.
    explicit Canvas(const QSize &size, QWidget *parent = nullptr);

    // The text as assistive technology reads it: the lines as they stood at
    // the last announceText().
    QString accessibleText() const { return m_accessibleText; }
    // Hands the text shown now to assistive technology, telling it that the
    // text changed when it did. For the end of a mode: not per print.
    void announceText();

signals:
    // A click of the primary mouse button on the canvas.
    void clicked();
    // Space, Enter or Return pressed while the canvas has the focus: the
    // keyboard's way to click it.
    void activatedByKey();
    // Text was printed at a user position in a font; lineEnded tells
    // whether the print ended the line. Empty lines are printed too.
    void printed(const QString &text, const QPointF &at, const QFont &font, bool lineEnded);
    // announceText() handed assistive technology a new text.
    void accessibleTextChanged(const QString &text);

protected:
    void showArea(const QRect &dirty, bool now) override;
    void textPrinted(const QString &text, const QPointF &at, const QFont &font, bool lineEnded) override;

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    static constexpr int kBorder = 2;

    QRect interior() const;
    void fitImage();

    bool m_primaryPressed = false;
    QString m_accessibleText;
};
