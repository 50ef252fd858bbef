// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/explorationfile.h"

#include "files/ordinaryfile.h"
#include "exploration/viewchecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ExplorationFile", text);
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

std::optional<bool> readYesNo(const QString &value)
{
    if (value == QLatin1String("yes") || value == QLatin1String("true") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("no") || value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

FigureView viewFittedTo(const FigureView &view, QSize pixels)
{
    const double columns = std::max(1, pixels.width()), rows = std::max(1, pixels.height());
    const double perPixel = std::max(view.width() / columns, view.height() / rows);
    const double x = view.left + view.width() / 2, y = view.bottom + view.height() / 2;
    const double halfWidth = perPixel * columns / 2, halfHeight = perPixel * rows / 2;
    return {x - halfWidth, y + halfHeight, x + halfWidth, y - halfHeight};
}

bool ExplorerSetup::operator==(const ExplorerSetup &other) const
{
    const auto sameView = [](const std::optional<FigureView> &a, const std::optional<FigureView> &b) {
        if (!a || !b)
            return !a && !b;
        return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
    };
    return settings == other.settings && dotSize == other.dotSize && dark == other.dark
        && sameView(view, other.view);
}

QString explorationText(const ExplorerSetup &setup)
{
    const ExplorationSettings &s = setup.settings;
    // The ratio as typed, or a form that reads back as the very same
    // double; the view's edges in 17 significant digits, which do too.
    QString text = QStringLiteral("# The Chaos Game: an exploration, for its Explorer window.\n"
                                  "# One \"key = value\" to a line; what follows a # is a comment.\n");
    text += QStringLiteral("format = %1\n").arg(kExplorationFormat);
    text += QStringLiteral("corners = %1\n").arg(s.corners);
    text += QStringLiteral("centre = %1\n").arg(yesNo(s.centre));
    text += QStringLiteral("midpoints = %1\n").arg(yesNo(s.midpoints));
    text += QStringLiteral("ratio = %1\n").arg(ratioAsWritten(s.ratio, s.ratioTyped));
    text += QStringLiteral("rule = %1\n").arg(nameOf(s.rule));
    text += QStringLiteral("colour = %1\n").arg(yesNo(s.colourByTarget));
    text += QStringLiteral("dot-size = %1\n").arg(setup.dotSize);
    text += QStringLiteral("background = %1\n").arg(setup.dark ? QStringLiteral("dark") : QStringLiteral("light"));
    if (setup.view) {
        text += QStringLiteral("# The part of the figure in view: left top right bottom.\n");
        text += QStringLiteral("view = %1 %2 %3 %4\n")
                    .arg(setup.view->left, 0, 'g', 17)
                    .arg(setup.view->top, 0, 'g', 17)
                    .arg(setup.view->right, 0, 'g', 17)
                    .arg(setup.view->bottom, 0, 'g', 17);
    }
    return text;
}

namespace {

// A line without its comment and outer blanks.
QString withoutComment(const QString &line)
{
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    return (hash < 0 ? line : line.left(hash)).trimmed();
}

// The format the text says it is written in: 1 when it does not say; 0
// when its format line cannot be read.
int formatOf(const QStringList &lines)
{
    for (const QString &whole : lines) {
        const QString line = withoutComment(whole);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0 || line.left(equals).trimmed().toLower() != QLatin1String("format"))
            continue;
        bool ok = false;
        const int format = line.mid(equals + 1).trimmed().toInt(&ok);
        return ok && format >= 1 ? format : 0;
    }
    return kExplorationFormat;
}

} // namespace

ExplorationReading readExplorationText(const QString &text)
{
    ExplorerSetup setup;
    QStringList warnings;
    const QStringList lines = text.split(QLatin1Char('\n'));
    const int format = formatOf(lines);
    const bool newer = format > kExplorationFormat;
    for (qsizetype number = 1; number <= lines.size(); ++number) {
        const QString line = withoutComment(lines[number - 1]);
        if (line.isEmpty())
            continue;
        const QString quotedLine = tr("Line %1 (\"%2\")").arg(number).arg(line);
        // A line this program cannot read: the whole file is refused, but in
        // a newer format the line is skipped and named in a warning.
        const auto cannotRead = [&](const QString &why) {
            if (!newer)
                return false;
            warnings.append(tr("%1: skipped (the file is in format %2, this program reads format %3): %4")
                                .arg(quotedLine, QString::number(format), QString::number(kExplorationFormat),
                                     why));
            return true;
        };
        const auto refuse = [&](const QString &why) {
            return ExplorationReading{std::nullopt, tr("%1: %2").arg(quotedLine, why), {}};
        };
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            if (cannotRead(tr("expected \"key = value\".")))
                continue;
            return refuse(tr("expected \"key = value\"."));
        }
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed().toLower();
        QString why;
        if (key == QLatin1String("format")) {
            if (format == 0)
                why = tr("the format must be a whole number from 1.");
        } else if (key == QLatin1String("corners")) {
            bool ok = false;
            const int corners = value.toInt(&ok);
            if (!ok || corners < Targets::kMinCorners || corners > Targets::kMaxCorners)
                why = tr("corners must be a whole number from 3 to 12.");
            else
                setup.settings.corners = corners;
        } else if (key == QLatin1String("centre") || key == QLatin1String("center")
                   || key == QLatin1String("midpoints") || key == QLatin1String("colour")
                   || key == QLatin1String("color")) {
            const std::optional<bool> yes = readYesNo(value);
            if (!yes)
                why = tr("the value must be yes or no.");
            else if (key.startsWith(QLatin1String("cent")))
                setup.settings.centre = *yes;
            else if (key == QLatin1String("midpoints"))
                setup.settings.midpoints = *yes;
            else
                setup.settings.colourByTarget = *yes;
        } else if (key == QLatin1String("ratio")) {
            const std::optional<double> ratio = readRatio(value);
            if (!ratio) {
                why = tr("the ratio must be more than 0 and less than 1, such as 0.5, 2/3 or golden.");
            } else {
                setup.settings.ratio = *ratio;
                setup.settings.ratioTyped = line.mid(equals + 1).trimmed();
            }
        } else if (key == QLatin1String("rule")) {
            const std::optional<NextTargetRule> rule = ruleNamed(value);
            if (!rule)
                why = tr("unknown rule; the rules are %1.").arg(ruleNames().join(QLatin1String(", ")));
            else
                setup.settings.rule = *rule;
        } else if (key == QLatin1String("dot-size")) {
            if (value != QLatin1String("1") && value != QLatin1String("2"))
                why = tr("the dot size must be 1 or 2.");
            else
                setup.dotSize = value.toInt();
        } else if (key == QLatin1String("background")) {
            if (value != QLatin1String("light") && value != QLatin1String("dark"))
                why = tr("the background must be light or dark.");
            else
                setup.dark = value == QLatin1String("dark");
        } else if (key == QLatin1String("view")) {
            const ViewChecks::Reading view = ViewChecks::readView(value);
            if (!view.view)
                why = view.problem;
            else
                setup.view = view.view;
        } else {
            why = tr("unknown key \"%1\".").arg(key);
        }
        if (!why.isEmpty() && !cannotRead(why))
            return refuse(why);
    }
    return {setup, QString(), warnings};
}

ExplorationReading readExplorationFile(const QString &path)
{
    // A .chaos file is a few hundred bytes; anything far larger is not one
    // (a picture with its note may be large). A named pipe would keep the
    // reading waiting: looked at before anything opens the file.
    constexpr qint64 kMostBytes = 64 * 1024;
    constexpr qint64 kMostPictureBytes = qint64(1) << 31;
    if (const QString problem = ordinaryFileProblem(path, kMostPictureBytes); !problem.isEmpty())
        return {std::nullopt, problem, {}};
    // A picture the export wrote carries its exploration in its note (see
    // addPictureNote()).
    QImageReader picture(path);
    if (picture.format() == "png") {
        const QString note = picture.text(QStringLiteral("chaos"));
        if (note.isEmpty())
            return {std::nullopt,
                    tr("%1 is a picture without a note of its exploration.").arg(QDir::toNativeSeparators(path)),
                    {}};
        // One line, the settings separated by semicolons.
        return readExplorationText(QString(note).replace(QLatin1Char(';'), QLatin1Char('\n')));
    }
    if (const QString problem = ordinaryFileProblem(path, kMostBytes); !problem.isEmpty())
        return {std::nullopt, problem, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {std::nullopt, tr("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()), {}};
    if (file.size() > kMostBytes)
        return {std::nullopt, tr("%1 is too large to be an exploration.").arg(QDir::toNativeSeparators(path)), {}};
    ExplorationReading reading = readExplorationText(QString::fromUtf8(file.read(kMostBytes)));
    const QString name = QDir::toNativeSeparators(path);
    if (!reading.setup)
        reading.problem = QStringLiteral("%1: %2").arg(name, reading.problem);
    for (QString &warning : reading.warnings)
        warning = QStringLiteral("%1: %2").arg(name, warning);
    return reading;
}

QString writeExplorationFile(const ExplorerSetup &setup, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    const QByteArray bytes = explorationText(setup).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
