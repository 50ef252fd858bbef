// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/explorationrecovery.h"

RecoveredExploration readExplorationKeepingTheRest(const QString &text)
{
    RecoveredExploration recovered;
    // Lines are tried one more at a time, those already left out blanked,
    // so that a line's number in a message stays its number in the text.
    QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype last = 0; last < lines.size(); ++last) {
        const ExplorationReading reading = readExplorationText(lines.mid(0, last + 1).join(QLatin1Char('\n')));
        if (!reading.setup) {
            recovered.problems.append(reading.problem);
            lines[last].clear();
        }
    }
    const ExplorationReading kept = readExplorationText(lines.join(QLatin1Char('\n')));
    if (kept.setup)
        recovered.setup = *kept.setup;
    return recovered;
}
