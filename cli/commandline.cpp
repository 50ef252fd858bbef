// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandline.h"

#include "cli/exportoptions.h"
#include "program/keylist.h"
#include "program/programidentity.h"
#include "program/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

struct ToolkitOption
{
    const char *name;
    const char *valueName; // nullptr for a switch
    const char *description;
};

// The options that QGuiApplication, QApplication and the X11 platform
// plugin take out of the command line themselves. The program accepts them
// here so that it does not refuse them before QApplication has seen them.
constexpr ToolkitOption toolkitOptions[] = {
    {"platform", "name[:options]", "Uses this platform plugin: xcb, wayland, offscreen, ..."},
    {"platformpluginpath", "path", "Also looks for platform plugins in this folder."},
    {"platformtheme", "theme", "Uses this platform theme."},
    {"plugin", "plugin", "Loads this additional input plugin."},
    {"qwindowgeometry", "geometry", "Gives the first window this geometry, e.g. 800x600+0+0."},
    {"geometry", "geometry", "The same as -qwindowgeometry, on X11."},
    {"qwindowicon", "icon", "Gives the windows this icon."},
    {"icon", "icon", "The same as -qwindowicon, on X11."},
    {"qwindowtitle", "title", "Gives the first window this title."},
    {"title", "title", "The same as -qwindowtitle, on X11."},
    {"reverse", nullptr, "Lays the windows out from right to left."},
    {"session", "session", "Restores the program from an earlier desktop session."},
    {"display", "display", "Connects to this X server, e.g. :0."},
    {"name", "name", "Uses this instance name in WM_CLASS, on X11."},
    {"visual", "visual", "Uses this X visual, on X11."},
    {"sync", nullptr, "Sends X11 requests synchronously, for debugging."},
    {"nograb", nullptr, "Never grabs the mouse or the keyboard, on X11."},
    {"dograb", nullptr, "Grabs even when running under a debugger, on X11."},
    {"style", "style", "Uses this widget style, e.g. Fusion."},
    {"stylesheet", "file", "Applies the Qt style sheet in this file."},
    {"widgetcount", nullptr, "Reports at the end how many widgets were left, for debugging."},
    {"qmljsdebugger", "value", "Opens the QML debugger (no use in this program)."},
};

QString programName(const QStringList &arguments)
{
    const QString name = QFileInfo(arguments.value(0)).fileName();
    return name.isEmpty() ? QStringLiteral("chaos-game") : name;
}

QString versionText()
{
    return QStringLiteral("%1 %2\n"
                          "Copyright (C) %3 %4\n"
                          "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(programDisplayName(), QCoreApplication::applicationVersion(),
             QString::fromLatin1(programReleaseDate).left(4), QCoreApplication::organizationName());
}

// Qt's help text names the program only when an application object exists;
// this one is written before there is one.
QString helpText(const QCommandLineParser &parser, const QString &program)
{
    QString text = parser.helpText();
    const qsizetype usageEnd = text.indexOf(QLatin1Char('\n'));
    if (text.startsWith(QLatin1String("Usage:")) && usageEnd > 0)
        text.replace(0, usageEnd,
                     QStringLiteral("Usage: %1 [options] [FILE.chaos]\n"
                                    "       %1 --explorer [FILE.chaos]\n"
                                    "       %1 --export PICTURE [export options]")
                         .arg(program));
    // What the windows' keys do, as the help window and the manual page say.
    return text + QLatin1Char('\n') + keysAsText();
}

CommandLineRequest refusal(const QString &program, const QString &problem)
{
    return {CommandLineRequest::Action::Refuse,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, problem),
            usageErrorStatus, {}, {}};
}

// A file given alone, as a desktop's "open with" gives it: a .chaos file
// opens in the Explorer. Nothing when no file was given.
std::optional<CommandLineRequest> openedFile(const QString &program, const QStringList &files, bool exporting)
{
    if (files.isEmpty())
        return std::nullopt;
    if (files.size() > 1 || exporting || !files.first().endsWith(QLatin1String(".chaos"), Qt::CaseInsensitive))
        return refusal(program, QStringLiteral("Unexpected argument '%1'.").arg(files.join(QLatin1String("', '"))));
    CommandLineRequest request{CommandLineRequest::Action::Explore, QString(), 0, {}, {}};
    request.explorationFile = files.first();
    return request;
}

} // namespace

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    // The toolkit's options are single-dash words; so is "-h".
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Plays the Chaos Game: a point moves, step after step, half-way towards a corner\n"
        "picked at random, and the Sierpinski triangle grows out of that rule, dot by dot.\n"
        "The toolkit's usual options, such as -platform and -style, work as well;\n"
        "--help-all lists them.\n"
        "\n"
        "With --export, it draws an exploration into a picture file instead, with no\n"
        "window: any regular polygon, its centre and the midpoints of its edges as\n"
        "targets, any ratio, a rule for which target may come next, and a colour for\n"
        "each target. For example:\n"
        "  chaos-game --export carpet.png --preset carpet --colour --size 4000x4000\n"
        "\n"
        "A .chaos file given alone (as a desktop opens one) opens in the Chaos Explorer."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption explorer(QStringLiteral("explorer"),
                                      QCoreApplication::translate("CommandLine",
                                                                  "Opens the Chaos Explorer window alone, with the "
                                                                  "exploration in FILE (a .chaos file) if one is given."));
    parser.addOption(explorer);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QCoreApplication::translate("CommandLine",
                                                             "A .chaos file to open in the Chaos Explorer."),
                                 QStringLiteral("[FILE.chaos]"));
    addExportOptions(parser);

    // Listed only by --help-all, as Qt programs do.
    QCommandLineParser everything;
    everything.setApplicationDescription(parser.applicationDescription());
    everything.addHelpOption();
    everything.addVersionOption();
    everything.addOption(explorer);
    addExportOptions(everything);
    for (const ToolkitOption &known : toolkitOptions) {
        const QString name = QString::fromLatin1(known.name);
        const QString description = QString::fromLatin1(known.description);
        const QString valueName = known.valueName ? QString::fromLatin1(known.valueName) : QString();
        QCommandLineOption hidden(name, description, valueName);
        hidden.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(hidden);
        everything.addOption(QCommandLineOption(name, description, valueName));
    }

    const QString program = programName(arguments);
    if (!parser.parse(arguments))
        return refusal(program, parser.errorText());
    if (parser.isSet(QStringLiteral("help-all")))
        return {CommandLineRequest::Action::Print, helpText(everything, program), 0, {}, {}};
    if (parser.isSet(help))
        return {CommandLineRequest::Action::Print, helpText(parser, program), 0, {}, {}};
    if (parser.isSet(version))
        return {CommandLineRequest::Action::Print, versionText(), 0, {}, {}};
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(explorer)) {
        if (files.size() > 1)
            return refusal(program, QStringLiteral("'--explorer' opens one file, not '%1'.").arg(files.join(QLatin1String("', '"))));
        if (parser.isSet(QStringLiteral("export")))
            return refusal(program, QStringLiteral("'--explorer' and '--export' cannot be given together."));
        CommandLineRequest request{CommandLineRequest::Action::Explore, QString(), 0, {}, {}};
        request.explorationFile = files.value(0);
        return request;
    }
    ExportOptions exporting = readExportOptions(parser);
    if (exporting.wanted && exporting.request.file == QLatin1String("-"))
        return refusal(program, QStringLiteral("'--export' writes a picture file and needs its name, such as "
                                               "poster.png; it does not write to standard output ('-')."));
    if (const std::optional<CommandLineRequest> opening = openedFile(program, files, exporting.wanted))
        return *opening;
    if (!exporting.problem.isEmpty())
        return refusal(program, exporting.problem);
    if (exporting.wanted) {
        return {CommandLineRequest::Action::Export, QString(), 0, exporting.request, {}};
    }
    return {};
}

QStringList programArguments(int argc, char *argv[])
{
    QStringList arguments;
#ifdef Q_OS_WIN
    // The wide command line holds every letter of every path; argv only
    // those of the ANSI code page.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    int count = 0;
    if (wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
        return arguments;
    }
#endif
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

void reportExportWarnings(const ExportRequest &request)
{
    for (const QString &warning : request.warnings)
        std::fprintf(stderr, "%s\n", warning.toLocal8Bit().constData());
    std::fflush(stderr);
}
