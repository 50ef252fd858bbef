// Writes the program's icon for installation: the scalable SVG and PNGs at
// the usual sizes, in the hicolor theme's folder layout.
//
//   chaos-game-icons OUTPUT_DIR ICON_NAME

#include "app/programicon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: chaos-game-icons OUTPUT_DIR ICON_NAME\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);

    const QString scalable = QStringLiteral("scalable/apps/%1.svg").arg(name);
    out.mkpath(QStringLiteral("scalable/apps"));
    QFile svg(out.filePath(scalable));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(programIconSvg().toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
        return 1;
    }

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        out.mkpath(folder);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paintProgramIcon(painter, QRectF(0, 0, size, size), programIconDepth(size));
        painter.end();
        const QString file = out.filePath(QStringLiteral("%1/%2.png").arg(folder, name));
        if (!image.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
