// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture/programface.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef CHAOS_BUNDLED_FONTS
// The face's files are compiled into the program as a resource.
static void initialiseFaceResource()
{
    Q_INIT_RESOURCE(programface);
}
#endif

namespace {

// Liberation Sans, from the four files of its regular, bold, italic and bold
// italic faces, added to Qt's font database the first time a face is asked
// for. Liberation Sans 1 (Debian's fonts-liberation), whose widths differ,
// may be installed as well: the system's files are named by their place,
// not looked up by the family's name, and are added only once Qt knows the
// system's fonts, since of two faces of the same name and style Qt takes
// the one it learnt of last.
QString programFace()
{
    static const QString family = [] {
        QFontDatabase::families();
#ifdef CHAOS_BUNDLED_FONTS
        initialiseFaceResource();
        const QString folder = QStringLiteral(":/fonts/");
#else
        const QString folder = QStringLiteral(CHAOS_SYSTEM_FONTS_DIR "/");
#endif
        QString name;
        for (const char *file : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationSans-Italic.ttf",
                                 "LiberationSans-BoldItalic.ttf"}) {
            const int id = QFontDatabase::addApplicationFont(folder + QLatin1String(file));
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
        return programFace();
    return faceName;
}

bool programFaceIsBuiltIn()
{
#ifdef CHAOS_BUNDLED_FONTS
    return true;
#else
    return false;
#endif
}
