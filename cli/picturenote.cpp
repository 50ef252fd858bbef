// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/picturenote.h"

#include "program/programidentity.h"
#include "exploration/explorationfile.h"

#include <QCoreApplication>
#include <QImageWriter>
#include <QStringList>

QString remakingCommand(const PosterJob &job)
{
    return QStringLiteral("chaos-game --exploration THIS.png --export AGAIN.png --size %1x%2 --dots %3 --seed %4")
        .arg(QString::number(job.size.width()), QString::number(job.size.height()), QString::number(job.dots),
             QString::number(job.seed));
}

void addPictureNote(QImageWriter &writer, const PosterJob &job)
{
    ExplorerSetup setup;
    setup.settings = job.settings;
    setup.view = job.view;
    writer.setText(QStringLiteral("Software"),
                   QStringLiteral("%1 %2").arg(programDisplayName(), QCoreApplication::applicationVersion()));
    writer.setText(QStringLiteral("Description"),
                   QStringLiteral("Drawn by %1 with seed %2. To draw it again, THIS.png being this picture: %3")
                       .arg(programDisplayName(), QString::number(job.seed), remakingCommand(job)));
    // The writer keeps each text on one line: the settings go in as
    // "key = value" pairs separated by semicolons, without the comments.
    QStringList settings;
    for (const QString &line : explorationText(setup).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!line.startsWith(QLatin1Char('#')))
            settings.append(line);
    }
    writer.setText(QStringLiteral("chaos"), settings.join(QLatin1String("; ")));
}
