#pragma once

#include "core/generator/GeneratorSettings.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <expected>
#include <functional>

namespace sono {

// The Frequency Manager's controls as they stand; volumes, phase and gating already checked.
struct ManagerControls {
    QString leftVolume = QStringLiteral("0.5");
    QString rightVolume = QStringLiteral("0.5");
    bool leftOn = true;
    bool rightOn = true;
    bool extendedHardware = false;
    bool leftEqualsRight = false;
    bool recordSession = false;
    float phase = 0;
    qint16 gating = 0;
};

// Copies the controls into the settings and builds FreqgenArgs from them, the wave type and the
// program name. A volume above 1 is clamped to "1" (left) or "1 " (right): the generator and the
// program files have always been given exactly these texts.
void buildFreqgenArgs(const ManagerControls& controls, GeneratorSettings& settings);

// A volume box or a program file's volume: empty counts as "0"; otherwise one number of 0 or more
// (blanks around it allowed, as in the "1 " Sono itself writes), given back as typed. Above 1 is
// allowed here and clamped when the option string is built. Anything else ("abc", "0,5", "-0.3",
// "0.5 x", blanks only) is refused: the text goes word by word onto the generator's command line.
std::expected<QString, QString> parseVolumeText(const QString& text);
// The phase box: empty counts as 0; anything but a finite number is refused.
std::expected<float, QString> parsePhaseText(const QString& text);
// Gating above this aliases into audible tones.
inline constexpr qint16 MaxGating = 1000;
// The gating box or a program file's gating: empty counts as 0; a whole number 0 to MaxGating, or a
// message.
std::expected<qint16, QString> parseGatingText(const QString& text);

// A program name becomes a file name in the application folder and one word of the generator's
// command line, so it must stay inside the folder and hold no blanks or control characters.
std::expected<QString, QString> validateProgramName(const QString& typed);

// How the generator is started.
struct FreqgenCommand {
    QString program;
    QStringList arguments;
};

// A terminal emulator and the words before the command it is to run ("-e", or "--" for some).
struct TerminalCommand {
    QString program; // empty: none
    QStringList runWords;
};

// The terminal for freqgen's key commands: $TERMINAL (which may carry options of its own), then
// x-terminal-emulator, then the common ones, each as `find` finds it on PATH (empty when missing).
TerminalCommand chooseTerminal(const QString& terminalVariable,
                               const std::function<QString(const QString&)>& find);

// AppPath/freqgen with the option string split on blanks and ".run" added to its last word (the
// program name). When a terminal emulator is given, the generator runs inside it so its key commands
// have a window.
FreqgenCommand freqgenCommandLine(const QString& appPath, const QString& freqgenArgs,
                                  const TerminalCommand& terminal);

// Where the generator lives: shown by "Path".
QString freqgenPath(const QString& appPath);

} // namespace sono
