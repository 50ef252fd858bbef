// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exportoptions.h"

#include "files/pictureformats.h"
#include "exploration/presets.h"
#include "exploration/explorationfile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

constexpr int kMaxSide = 32768;
constexpr int kMaxThreads = 1024;
constexpr double kMaxDots = 1e13;

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

QString quoted(const QStringList &names)
{
    return names.join(QLatin1String(", "));
}

// A whole number from `least` to `most`, written in digits (or for large
// counts as 1e9).
std::optional<std::uint64_t> wholeNumber(const QString &text, std::uint64_t least, std::uint64_t most,
                                         bool exponentToo = false)
{
    bool ok = false;
    std::uint64_t value = text.trimmed().toULongLong(&ok);
    if (!ok && exponentToo) {
        const double number = text.trimmed().toDouble(&ok);
        ok = ok && number >= 0 && number <= kMaxDots && std::floor(number) == number;
        value = ok ? std::uint64_t(number) : 0;
    }
    if (!ok || value < least || value > most)
        return std::nullopt;
    return value;
}

std::optional<QSize> pictureSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,9})\\s*[xX×]\\s*(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        return std::nullopt;
    return QSize(width, height);
}

} // namespace

void addExportOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("export"),
                      tr("Draws an exploration into this picture file without opening a window, then exits. "
                         "PNG, JPEG (.jpg, .jpeg) or BMP by the file's extension. The options below shape "
                         "the picture; those given override the preset's."),
                      tr("file")});
    parser.addOption({QStringLiteral("preset"),
                      tr("Starts from this exploration: %1. Default: triangle.").arg(quoted(presetNames())),
                      tr("name")});
    parser.addOption({QStringLiteral("exploration"),
                      tr("Starts from the exploration saved in this .chaos file (by the Explorer window), "
                         "its view included, instead of a preset."),
                      tr("file")});
    parser.addOption({QStringLiteral("corners"), tr("Targets the corners of a regular polygon with 3 to 12 corners."),
                      tr("n")});
    parser.addOption({{QStringLiteral("centre"), QStringLiteral("center")}, tr("Also targets the polygon's centre.")});
    parser.addOption({QStringLiteral("midpoints"), tr("Also targets the midpoints of the polygon's edges.")});
    parser.addOption({QStringLiteral("ratio"),
                      tr("Each step moves the point this fraction of the way to the picked target: more than "
                         "0 and less than 1, as a decimal (0.5), a fraction (2/3) or golden (about 0.618)."),
                      tr("r")});
    parser.addOption({QStringLiteral("rule"),
                      tr("Which target may come next: %1. Default: any.").arg(quoted(ruleNames())), tr("name")});
    parser.addOption({{QStringLiteral("colour"), QStringLiteral("color")},
                      tr("Colours each dot by the target it moved towards, in colours that colour-blind "
                         "viewers tell apart; otherwise the dots are black on white.")});
    parser.addOption({QStringLiteral("dots"),
                      tr("How many dots to draw. Default: enough for a solid figure, 10 per pixel (10 million "
                         "at 1000x1000)."),
                      tr("n")});
    parser.addOption({QStringLiteral("size"),
                      tr("The picture's width and height in pixels, up to 32768x32768. Default: 1000x1000."),
                      tr("WxH")});
    parser.addOption({QStringLiteral("seed"),
                      tr("Starts the random walks from this number, 0 to 18446744073709551615: the same options "
                         "and seed give the same picture, bit for bit. Default: a random seed."),
                      tr("n")});
    parser.addOption({QStringLiteral("threads"),
                      tr("Draws on this many threads. Default: one per processor core."), tr("n")});
}

ExportOptions readExportOptions(const QCommandLineParser &parser)
{
    ExportOptions options;
    options.wanted = parser.isSet(QStringLiteral("export"));
    const auto refuse = [&options](const QString &problem) {
        options.problem = problem;
        return options;
    };
    if (!options.wanted) {
        for (const char *name : {"preset", "exploration", "corners", "centre", "midpoints", "ratio", "rule", "colour", "dots", "size",
                                 "seed", "threads"}) {
            if (parser.isSet(QLatin1String(name)))
                return refuse(tr("The option '--%1' only works with '--export FILE'.").arg(QLatin1String(name)));
        }
        return options;
    }

    ExportRequest &request = options.request;
    PosterJob &job = request.job;
    request.file = parser.value(QStringLiteral("export"));
    if (request.file.isEmpty())
        return refuse(tr("'--export' needs the name of the picture file to write."));
    request.format = pictureFormatFor(request.file);
    if (request.format.isEmpty())
        return refuse(tr("Cannot tell the picture format of '%1': name it .png, .jpg, .jpeg or .bmp.")
                          .arg(request.file));

    const QString preset = parser.isSet(QStringLiteral("preset")) ? parser.value(QStringLiteral("preset"))
                                                                   : QStringLiteral("triangle");
    const std::optional<ExplorationSettings> settings = presetNamed(preset);
    if (!settings)
        return refuse(tr("Unknown preset '%1'. The presets are: %2.").arg(preset, quoted(presetNames())));
    job.settings = *settings;
    if (parser.isSet(QStringLiteral("exploration"))) {
        if (parser.isSet(QStringLiteral("preset")))
            return refuse(tr("Give either '--preset' or '--exploration', not both."));
        const ExplorationReading reading = readExplorationFile(parser.value(QStringLiteral("exploration")));
        if (!reading.setup)
            return refuse(reading.problem);
        job.settings = reading.setup->settings;
        job.view = reading.setup->view;
        request.warnings = reading.warnings;
    }

    if (parser.isSet(QStringLiteral("corners"))) {
        const QString text = parser.value(QStringLiteral("corners"));
        const auto corners = wholeNumber(text, Targets::kMinCorners, Targets::kMaxCorners);
        if (!corners)
            return refuse(tr("'--corners' takes a whole number from 3 to 12, not '%1'.").arg(text));
        job.settings.corners = int(*corners);
    }
    job.settings.centre = job.settings.centre || parser.isSet(QStringLiteral("centre"));
    job.settings.midpoints = job.settings.midpoints || parser.isSet(QStringLiteral("midpoints"));
    if (parser.isSet(QStringLiteral("ratio"))) {
        const QString text = parser.value(QStringLiteral("ratio"));
        const std::optional<double> ratio = readRatio(text);
        if (!ratio)
            return refuse(
                tr("'--ratio' takes a number more than 0 and less than 1, such as 0.5, 2/3 or golden, not '%1'.")
                    .arg(text));
        job.settings.ratio = *ratio;
        job.settings.ratioTyped = text.trimmed();
    }
    if (parser.isSet(QStringLiteral("rule"))) {
        const QString text = parser.value(QStringLiteral("rule"));
        const std::optional<NextTargetRule> rule = ruleNamed(text);
        if (!rule)
            return refuse(tr("Unknown rule '%1'. The rules are: %2.").arg(text, quoted(ruleNames())));
        job.settings.rule = *rule;
    }
    job.settings.colourByTarget = job.settings.colourByTarget || parser.isSet(QStringLiteral("colour"));

    if (parser.isSet(QStringLiteral("size"))) {
        const QString text = parser.value(QStringLiteral("size"));
        const std::optional<QSize> size = pictureSize(text);
        if (!size)
            return refuse(tr("'--size' takes a width and a height from 1 to 32768 pixels, such as 1000x1000, "
                             "not '%1'.")
                              .arg(text));
        job.size = *size;
    }
    if (job.view)
        job.view = viewFittedTo(*job.view, job.size);
    job.dots = solidFigureDots(job.size);
    if (parser.isSet(QStringLiteral("dots"))) {
        const QString text = parser.value(QStringLiteral("dots"));
        const auto dots = wholeNumber(text, 1, std::uint64_t(kMaxDots), true);
        if (!dots)
            return refuse(tr("'--dots' takes a whole number of dots from 1 to 10000000000000, such as 5000000 "
                             "or 1e9, not '%1'.")
                              .arg(text));
        job.dots = *dots;
    }
    if (parser.isSet(QStringLiteral("seed"))) {
        const QString text = parser.value(QStringLiteral("seed"));
        request.seed = wholeNumber(text, 0, std::numeric_limits<std::uint64_t>::max());
        if (!request.seed)
            return refuse(tr("'--seed' takes a whole number from 0 to 18446744073709551615, not '%1'.").arg(text));
        job.seed = *request.seed;
    }
    job.threads = 0;
    if (parser.isSet(QStringLiteral("threads"))) {
        const QString text = parser.value(QStringLiteral("threads"));
        const auto threads = wholeNumber(text, 1, kMaxThreads);
        if (!threads)
            return refuse(tr("'--threads' takes a whole number from 1 to 1024, not '%1'.").arg(text));
        job.threads = int(*threads);
    }
    return options;
}
