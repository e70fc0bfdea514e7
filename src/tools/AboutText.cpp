#include "tools/AboutText.h"

#include <QStringList>

namespace sono {

QString aboutText() {
    const QStringList paragraphs = {
        QStringLiteral("Sono is a database program for storing, managing and running sets of audio "
                       "frequencies. You search and browse the sets, collect them in a buffer, turn them "
                       "into a timed program and play that program through your sound card with the "
                       "tone generator that comes with Sono."),
        QStringLiteral("Sono is still being refined. If something does not work as this help describes, "
                       "please report the problem together with the steps that led to it."),
        QStringLiteral("Sono is free of charge. Reference pages on the subjects it deals with are listed "
                       "in the Web menu."),
        QStringLiteral("The tone generator Freqgen is built together with Sono from the same sources, so "
                       "that every program you make here can be played on this computer."),
        QStringLiteral("The starter database holds reference sets made only from public facts and "
                       "formulas: the equal-tempered notes (A4 = 440 Hz), the calibration points of "
                       "the sound-card table, acoustic octave bands, telephone dial tones, test tones, "
                       "harmonic and octave series, scales, tunings, intervals, chords and instrument "
                       "ranges. The sets are shipped as readable SQL text in the data folder of the "
                       "sources, where each group and the origin of its numbers is described."),
        QStringLiteral("Technical note: the data file freqs.mdb in the application folder is an ordinary "
                       "SQLite database. The sqlite3 tool opens it for further work (\"sqlite3 "
                       "freqs.mdb\"). Back it up regularly, and always before large changes."),
        QStringLiteral("Disclaimer: Sono and its data are offered for experimental research only. No "
                       "claim is made about the accuracy of any frequency, nor about any effect of any "
                       "sound on health. There is no warranty of any kind, and no liability is accepted "
                       "for any use of the program or its data."),
        QStringLiteral("Instead of a list of acknowledgements, the Web menu points to the public "
                       "references that the program and its data rest on."),
        QStringLiteral("Upgrades are published with the sources; keep your freqs.mdb, sono.ini, sono.cal "
                       "and program files when you install a new version."),
        QStringLiteral("Enjoy your experiments."),
    };
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace sono
