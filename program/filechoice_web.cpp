// SPDX-License-Identifier: GPL-3.0-or-later
#include "program/filechoice.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QWidget>

namespace {

// The program's temporary files live in the page's memory; the folder
// holds only those on their way to or from the browser.
QString exchangeFolder()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/chaos-game-files");
    QDir().mkpath(folder);
    return folder;
}

// The patterns of name filters such as "PNG image (*.png)", as the
// browser's file picker takes them: "*.png".
QString pickerFilter(const QStringList &filters)
{
    QStringList patterns;
    static const QRegularExpression pattern(QStringLiteral("\\(([^)]*)\\)"));
    for (const QString &filter : filters) {
        const QRegularExpressionMatch match = pattern.match(filter);
        patterns << (match.hasMatch() ? match.captured(1) : filter);
    }
    return patterns.join(QLatin1Char(' '));
}

} // namespace

void askForFile(QWidget *window, const QString &, const QString &, const QString &name, const QStringList &filters,
                bool saving, const std::function<void(const QString &)> &chosen)
{
    if (saving) {
        // The browser asks where to keep a download, or keeps it in the
        // downloads folder: the program only names it.
        const QString path = exchangeFolder() + QLatin1Char('/') + name;
        QFile::remove(path);
        chosen(path);
        return;
    }
    QPointer<QWidget> guard(window);
    QFileDialog::getOpenFileContent(pickerFilter(filters), [guard, chosen](const QString &fileName,
                                                                           const QByteArray &content) {
        if (fileName.isEmpty() || !guard)
            return;
        const QString path = exchangeFolder() + QLatin1Char('/') + QFileInfo(fileName).fileName();
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size()) {
            file.close();
            chosen(path);
        }
        QFile::remove(path);
    });
}

void fileWritten(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    file.close();
    QFile::remove(path);
    QFileDialog::saveFileContent(content, QFileInfo(path).fileName());
}
