// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon for installation: the scalable SVG and PNGs at
// the usual sizes, in the hicolor theme's folder layout; or the icon file
// that a Windows executable or a macOS bundle carries.
//
//   chaos-game-icons OUTPUT_DIR ICON_NAME
//   chaos-game-icons --ico FILE
//   chaos-game-icons --icns FILE
//   chaos-game-icons --web DIR       (the web app's icons: SVG, 192 and 512)

#include "program/programicon.h"
#include "program/programiconfiles.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstring>

namespace {

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(contents) == contents.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

int writeThemeIcons(const QDir &out, const QString &name)
{
    out.mkpath(QStringLiteral("scalable/apps"));
    if (!writeFile(out.filePath(QStringLiteral("scalable/apps/%1.svg").arg(name)), programIconSvg().toUtf8()))
        return 1;

    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        out.mkpath(folder);
        const QString file = out.filePath(QStringLiteral("%1/%2.png").arg(folder, name));
        if (!programIconImage(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

// The icons a web app manifest names: any size (SVG), and the two PNG sizes
// browsers install an app with.
int writeWebIcons(const QDir &out)
{
    out.mkpath(QStringLiteral("."));
    if (!writeFile(out.filePath(QStringLiteral("icon.svg")), programIconSvg().toUtf8()))
        return 1;
    for (int size : {192, 512}) {
        const QString file = out.filePath(QStringLiteral("icon-%1.png").arg(size));
        if (!programIconImage(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: chaos-game-icons OUTPUT_DIR ICON_NAME\n"
                             "       chaos-game-icons --ico FILE\n"
                             "       chaos-game-icons --icns FILE\n"
                             "       chaos-game-icons --web DIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString target = QString::fromLocal8Bit(argv[2]);

    if (std::strcmp(argv[1], "--ico") == 0)
        return writeFile(target, programIconIco()) ? 0 : 1;
    if (std::strcmp(argv[1], "--icns") == 0)
        return writeFile(target, programIconIcns()) ? 0 : 1;
    if (std::strcmp(argv[1], "--web") == 0)
        return writeWebIcons(QDir(target));
    return writeThemeIcons(QDir(QString::fromLocal8Bit(argv[1])), target);
}
