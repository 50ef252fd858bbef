// SPDX-License-Identifier: GPL-3.0-or-later
#include "canvas/programface.h"

#include <QFontDatabase>
#include <QStringList>

// The face's files are compiled into the program as a resource.
static void initialiseFaceResource()
{
    Q_INIT_RESOURCE(programface);
}

namespace {

QString carriedFamily()
{
    // Added to Qt's font database the first time a face is asked for.
    static const QString family = [] {
        initialiseFaceResource();
        QString name;
        for (const char *file : {":/fonts/LiberationSans-Regular.ttf", ":/fonts/LiberationSans-Bold.ttf",
                                 ":/fonts/LiberationSans-Italic.ttf", ":/fonts/LiberationSans-BoldItalic.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(file));
            if (id >= 0 && name.isEmpty())
                name = QFontDatabase::applicationFontFamilies(id).value(0);
        }
        return name.isEmpty() ? QStringLiteral("Liberation Sans") : name;
    }();
    return family;
}

} // namespace

QString programFaceFamily(const QString &faceName)
{
    if (faceName.isEmpty() || faceName == QLatin1String("MS Sans Serif") || faceName == QLatin1String("Arial"))
        return carriedFamily();
    return faceName;
}
