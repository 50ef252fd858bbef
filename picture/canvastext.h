// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

// The text a canvas shows, line by line, for readers that cannot see it:
// every line printed since the last clear, in printing order, less the lines
// that a filled box has painted over since. A print that continues the line
// joins the next print on the same line.
//
// Areas are in user coordinates, so they stay comparable whatever size the
// canvas is shown at.
class CanvasText
{
public:
    void clear();
    // `area` is where the printed text stands.
    void print(const QString &text, const QRectF &area, bool endLine);
    // Drops the lines whose middle lies in `box`.
    void paintOver(const QRectF &box);

    // Each line without the blanks that indent or pad it.
    QStringList lines() const;
    // The lines joined by line breaks.
    QString text() const;

private:
    struct Line
    {
        QString text;
        QRectF area;
    };
    std::vector<Line> m_lines;
    bool m_lineOpen = false; // the last line was printed without ending it
};
