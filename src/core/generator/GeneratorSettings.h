#pragma once

#include <QString>
#include <QtGlobal>

namespace sono {

// What the tone generator is given: the Frequency Manager's values as of the last option-string build
// or program load, and the program in use.
struct GeneratorSettings {
    QString VolLeft = QStringLiteral("0.5");
    QString VolRight = QStringLiteral("0.5");
    qint16 LeftOn = 1;
    qint16 RightOn = 1;
    qint16 ExtendedHardware = 0;
    qint16 LeftEqualsRight = 0;
    qint16 RecordSession = 0;
    float Phase = 0;
    qint16 Gating = 0;
    qint16 WaveType = 0; // 0 sine, 1 square, 2 saw tooth, 3 triangle (only from a file)
    qint16 SortMode = 2; // 0 Low to High, 1 High to Low, 2 No Sort
    QString ProgramName = QStringLiteral("default");
    QString FreqgenArgs;
};

} // namespace sono
