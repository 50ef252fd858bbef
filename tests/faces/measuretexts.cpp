// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the width of texts in the Liberation Sans faces of a folder, as
// the program lays them out: every printable ASCII character alone and in
// every pair (so every advance and every kerning pair counts), in the four
// styles, at the sizes the program uses, at scale 1 and on a projector.
// check_faces.sh runs it on the system's files and on the carried ones.
//
//   measuretexts FOLDER
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRawFont>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: measuretexts FOLDER\n");
        return 2;
    }
    // Loaded as the program loads its face: once the system's fonts are
    // known, so that these take the place of any others of the same name.
    QFontDatabase::families();
    const QString folder = QFile::decodeName(argv[1]);
    QList<QByteArray> heads; // of the four files, which tell a face's version apart
    for (const char *style : {"Regular", "Bold", "Italic", "BoldItalic"}) {
        const QString file = QStringLiteral("%1/LiberationSans-%2.ttf").arg(folder, QLatin1String(style));
        if (QFontDatabase::addApplicationFont(file) < 0) {
            std::fprintf(stderr, "measuretexts: cannot load %s\n", qPrintable(file));
            return 1;
        }
        heads.append(QRawFont(file, 12).fontTable("head"));
    }

    QString characters;
    for (char c = ' '; c <= '~'; ++c)
        characters += QLatin1Char(c);
    for (const bool bold : {false, true}) {
        for (const bool italic : {false, true}) {
            for (const double points : {8.25, 9.75, 10.0, 12.0, 18.0, 11.9, 25.96}) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPointSizeF(points);
                font.setBold(bold);
                font.setItalic(italic);
                // Measured in a face from the folder, not another of the same name.
                const QFontInfo info(font);
                const bool fromFolder = QRawFont::fromFont(font).fontTable("head") == heads[bold + 2 * italic];
                std::printf("face %s bold=%d italic=%d size=%.2f %s\n", qPrintable(info.family()), info.bold(),
                            info.italic(), points, fromFolder ? "from the folder" : "from elsewhere");
                const QFontMetricsF metrics(font);
                for (const QChar first : characters) {
                    std::printf("%.3f", metrics.horizontalAdvance(first));
                    for (const QChar second : characters)
                        std::printf(" %.3f", metrics.horizontalAdvance(QString(first) + second));
                    std::printf("\n");
                }
            }
        }
    }
    return 0;
}
