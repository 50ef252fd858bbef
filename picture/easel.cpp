// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/easel.h"

void Easel::print(const QString &text, bool endLine)
{
    const QPointF at(m_picture.currentX(), m_picture.currentY());
    const QFont font = m_picture.currentFont();
    if (endLine)
        m_picture.printLine(text);
    else
        m_picture.printContinuing(text);
    textPrinted(text, at, font, endLine);
}

void Easel::presentIfDue()
{
    if (m_sincePresent.elapsed() >= kPresentIntervalMs)
        present();
}

void Easel::present()
{
    const QRect dirty = m_picture.takeDirtyArea();
    if (!dirty.isEmpty())
        showArea(dirty, true);
    m_sincePresent.restart();
}

void Easel::showDrawing()
{
    const QRect dirty = m_picture.takeDirtyArea();
    if (!dirty.isEmpty())
        showArea(dirty, false);
}
