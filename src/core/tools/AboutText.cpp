#include "core/tools/AboutText.h"

#include <QStringList>

namespace sono {

// The same text as data/about.txt, which the tools tests compare it with.
QString aboutText() {
    const QStringList paragraphs = {
        QStringLiteral("Sono is a database for storing, managing and running frequency sets: named lists of "
                       "frequencies that you can search, collect into timed programs, shape, save and play "
                       "through your sound card."),
        QStringLiteral(
            "This version of Sono is a beta. Some parts, such as the Scan tab, are not finished yet, and "
            "others may still hold mistakes. If something does not work as you expect, please report it with "
            "a short description of what you did and what happened; every report helps."),
        QStringLiteral("Sono is free of charge. For upgrades and news, see the Web menu."),
        QStringLiteral("The tone generator freqgen, which plays your programs through the sound card, is "
                       "built by this project and ships beside Sono in the application folder."),
        QStringLiteral(
            "The starter database holds 238 frequency sets built from public facts and formulas, as shipped "
            "in the data folder of the sources: 100 equal-tempered musical notes from C0 to D#8 (A4 = 440 "
            "Hz, middle C = C4); the 26 sound-card calibration points as one set; 51 reference sets "
            "(Schumann resonance peaks as commonly quoted, ISO 266 octave and third-octave band frequencies, "
            "tuning references, mains frequencies, DTMF and other telephone tones, test and audiometric "
            "tones, example values of the conventional EEG bands, a published list of numbers and a few "
            "others); and 86 musical and mathematical sets (harmonic and octave series, scales, tunings, "
            "intervals, chords, instrument and voice ranges). The descriptions are neutral and make no "
            "claims."),
        QStringLiteral("Technical note: the data file freqs.mdb in the application folder is an SQLite "
                       "database. You can open it with the sqlite3 tool for further work, for example "
                       "\"sqlite3 freqs.mdb\", where the sets are in the table Main. Back it up regularly, "
                       "and always before a repair, a large edit or an upgrade."),
        QStringLiteral(
            "Disclaimer: Sono and freqgen are provided for experimental use only. No claims are made about "
            "the accuracy of the frequencies stored or played, nor about any effect of sound on health or "
            "well-being. Sono is not a medical device and must not be used in place of professional advice. "
            "It comes without any warranty, and no liability is accepted for any loss or harm from its use."),
        QStringLiteral("References on the subjects of this program - the hertz, musical note frequencies, "
                       "octaves, acoustic standards, telephone tones, sound cards, frequency counters and "
                       "more - are listed in the Web menu."),
        QStringLiteral(
            "Upgrades: a new version keeps your own files. Your database, programs, calibration and notes "
            "stay in the application folder; a new starter database is only placed there when none exists."),
        QStringLiteral("Enjoy your experiments with sound."),
    };
    return paragraphs.join(QStringLiteral("\n\n"));
}

} // namespace sono
