#pragma once

#include <QString>
#include <QtGlobal>

namespace sono {

// The generator settings a program file carries, in the order of its header lines. The defaults are
// the default program's: both channels on at 0.5, sine, no phase or gating, No Sort, session recording on.
struct ProgramSettings {
    QString VolLeft = QStringLiteral("0.5");
    QString VolRight = QStringLiteral("0.5");
    qint16 LeftOn = 1;
    qint16 RightOn = 1;
    qint16 ExtendedHardware = 0;
    qint16 WaveType = 0; // 0 sine, 1 square, 2 saw tooth, 3 triangle (only from a file)
    float Phase = 0;
    qint16 Gating = 0;
    qint16 SortMode = 2; // 0 Low to High, 1 High to Low, 2 No Sort
    qint16 LeftEqualsRight = 0;
    qint16 RecordSession = 1;

    bool operator==(const ProgramSettings&) const = default;
};

// What the tone generator is given: the settings as of the last option-string build or program load,
// the program in use and the option string built from them.
struct GeneratorSettings : ProgramSettings {
    QString ProgramName = QStringLiteral("default");
    QString FreqgenArgs;
};

} // namespace sono
