// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/pictureformats.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

QByteArray pictureFormatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix.isEmpty() || suffix == QLatin1String("png"))
        return QByteArrayLiteral("png");
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return QByteArrayLiteral("jpeg");
    if (suffix == QLatin1String("bmp"))
        return QByteArrayLiteral("bmp");
    return QByteArray();
}

QStringList pictureFilters()
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("PictureFiles", text); };
    return {tr("PNG image (*.png)"), tr("JPEG image (*.jpg *.jpeg)"), tr("BMP image (*.bmp)")};
}

QString defaultSuffixOf(const QString &filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.([^ )]+)"));
    return firstPattern.match(filter).captured(1);
}

QString unknownPictureFormatText()
{
    return QCoreApplication::translate("PictureFiles",
                                       "Pictures are saved as PNG (.png), JPEG (.jpg, .jpeg) or BMP (.bmp) files.");
}
