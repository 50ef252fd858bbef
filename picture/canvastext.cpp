// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/canvastext.h"

#include <algorithm>

void CanvasText::clear()
{
    m_lines.clear();
    m_lineOpen = false;
}

void CanvasText::print(const QString &text, const QRectF &area, bool endLine)
{
    if (m_lineOpen && !m_lines.empty()) {
        Line &line = m_lines.back();
        line.text += text;
        line.area = line.area.united(area);
    } else {
        m_lines.push_back({text, area});
    }
    m_lineOpen = !endLine;
}

void CanvasText::paintOver(const QRectF &box)
{
    const QRectF covered = box.normalized();
    auto isCovered = [&covered](const Line &line) { return covered.contains(line.area.center()); };
    // A line left open and painted over is gone: the next print starts a new one.
    if (m_lineOpen && !m_lines.empty() && isCovered(m_lines.back()))
        m_lineOpen = false;
    m_lines.erase(std::remove_if(m_lines.begin(), m_lines.end(), isCovered), m_lines.end());
}

QStringList CanvasText::lines() const
{
    QStringList result;
    result.reserve(static_cast<qsizetype>(m_lines.size()));
    for (const Line &line : m_lines)
        result.append(line.text.trimmed());
    return result;
}

QString CanvasText::text() const
{
    return lines().join(QLatin1Char('\n'));
}
