// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/programicon.h"

#include <QPainter>
#include <QPixmap>

#include <vector>

namespace {

const QColor kTile(0xF7, 0xF7, 0xF2);
const QColor kTileEdge(0x8A, 0x93, 0xA6);
const QColor kFigure(0x1F, 0x3A, 0x8F);

// The tile and the triangle within a 1 x 1 square.
const QRectF kTileRect(0.03, 0.03, 0.94, 0.94);
constexpr double kTileRadius = 0.16;
constexpr double kTileEdgeWidth = 0.02;
const QPointF kApex(0.5, 0.12), kLeft(0.1, 0.84), kRight(0.9, 0.84);

// The filled triangles of a Sierpinski triangle divided `depth` times.
void collectTriangles(const QPointF &a, const QPointF &b, const QPointF &c, int depth,
                      std::vector<QPolygonF> &into)
{
    if (depth == 0) {
        into.push_back(QPolygonF({a, b, c}));
        return;
    }
    const QPointF ab = (a + b) / 2, bc = (b + c) / 2, ca = (c + a) / 2;
    collectTriangles(a, ab, ca, depth - 1, into);
    collectTriangles(ab, b, bc, depth - 1, into);
    collectTriangles(ca, bc, c, depth - 1, into);
}

std::vector<QPolygonF> triangles(int depth)
{
    std::vector<QPolygonF> result;
    collectTriangles(kApex, kLeft, kRight, depth, result);
    return result;
}

} // namespace

int programIconDepth(int pixels)
{
    return pixels <= 16 ? 2 : pixels <= 32 ? 3 : pixels <= 64 ? 4 : 5;
}

void paintProgramIcon(QPainter &painter, const QRectF &area, int depth)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(area.topLeft());
    painter.scale(area.width(), area.height());

    painter.setPen(QPen(kTileEdge, kTileEdgeWidth));
    painter.setBrush(kTile);
    painter.drawRoundedRect(kTileRect, kTileRadius, kTileRadius);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kFigure);
    for (const QPolygonF &triangle : triangles(depth))
        painter.drawPolygon(triangle);
    painter.restore();
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintProgramIcon(painter, QRectF(0, 0, size, size), programIconDepth(size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString programIconSvg()
{
    const int size = 256;
    auto point = [&](const QPointF &p) {
        return QStringLiteral("%1,%2").arg(p.x() * size, 0, 'f', 2).arg(p.y() * size, 0, 'f', 2);
    };
    QString svg;
    svg += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                          "viewBox=\"0 0 %1 %1\">\n")
               .arg(size);
    svg += QStringLiteral("  <rect x=\"%1\" y=\"%1\" width=\"%2\" height=\"%2\" rx=\"%3\" fill=\"%4\" "
                          "stroke=\"%5\" stroke-width=\"%6\"/>\n")
               .arg(kTileRect.x() * size, 0, 'f', 2)
               .arg(kTileRect.width() * size, 0, 'f', 2)
               .arg(kTileRadius * size, 0, 'f', 2)
               .arg(kTile.name(), kTileEdge.name())
               .arg(kTileEdgeWidth * size, 0, 'f', 2);
    svg += QStringLiteral("  <g fill=\"%1\">\n").arg(kFigure.name());
    for (const QPolygonF &triangle : triangles(programIconDepth(size)))
        svg += QStringLiteral("    <polygon points=\"%1 %2 %3\"/>\n")
                   .arg(point(triangle[0]), point(triangle[1]), point(triangle[2]));
    svg += QStringLiteral("  </g>\n</svg>\n");
    return svg;
}
