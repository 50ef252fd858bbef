// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the manual page with its KEYS section taken from the program's own
// list of keys, the one the help window and --help show, so that the page
// cannot drift from the program. Run at build time:
//
//   chaos-game-manpage TEMPLATE PAGE
//
// TEMPLATE is the page with an empty KEYS section (a ".SH KEYS" line
// followed by the next ".SH" line); PAGE is written with the keys in it.
#include "program/keylist.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TEMPLATE PAGE\n", argv[0]);
        return 2;
    }
    QFile input(QFile::decodeName(argv[1]));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(input.errorString()));
        return 1;
    }
    const QStringList lines = QString::fromUtf8(input.readAll()).split(QLatin1Char('\n'));
    const qsizetype keys = lines.indexOf(QStringLiteral(".SH KEYS"));
    if (keys < 0 || keys + 1 >= lines.size() || !lines[keys + 1].startsWith(QLatin1String(".SH "))) {
        std::fprintf(stderr, "%s: no empty KEYS section\n", argv[1]);
        return 1;
    }

    QString page = lines.mid(0, keys + 1).join(QLatin1Char('\n')) + QLatin1Char('\n');
    page += keysAsManual();
    page += lines.mid(keys + 1).join(QLatin1Char('\n'));

    QSaveFile output(QFile::decodeName(argv[2]));
    if (!output.open(QIODevice::WriteOnly) || output.write(page.toUtf8()) < 0 || !output.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
