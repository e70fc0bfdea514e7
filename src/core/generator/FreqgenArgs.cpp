#include "core/generator/FreqgenArgs.h"

#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"

#include <QProcess>
#include <algorithm>
#include <cmath>
#include <limits>

namespace sono {

void buildFreqgenArgs(const ManagerControls& c, GeneratorSettings& g) {
    // Callers pass checked texts; anything else is silenced rather than put on the command line.
    g.VolLeft = parseVolumeText(c.leftVolume).value_or(QStringLiteral("0"));
    g.VolRight = parseVolumeText(c.rightVolume).value_or(QStringLiteral("0"));
    g.LeftOn = c.leftOn ? 1 : 0;
    g.RightOn = c.rightOn ? 1 : 0;
    g.ExtendedHardware = c.extendedHardware ? 1 : 0;
    g.LeftEqualsRight = c.leftEqualsRight ? 1 : 0;
    g.RecordSession = c.recordSession ? 1 : 0;
    g.Phase = c.phase;
    g.Gating = c.gating;

    QString args;
    if (g.LeftOn) {
        if (leadingNumber(g.VolLeft) > 1) g.VolLeft = QStringLiteral("1");
        args = QStringLiteral("-vl ") + g.VolLeft;
    } else {
        args = QStringLiteral("-vl 0 ");
    }
    if (g.RightOn) {
        if (leadingNumber(g.VolRight) > 1) g.VolRight = QStringLiteral("1 ");
        args += QStringLiteral(" -vr ") + g.VolRight + QStringLiteral(" ");
    } else {
        args += QStringLiteral(" -vr 0 ");
    }
    if (g.RecordSession == 1) args += QStringLiteral("-r ");
    if (g.ExtendedHardware == 1) args += QStringLiteral("-e ");
    if (g.LeftEqualsRight == 1) args += QStringLiteral("-l=r ");
    if (g.WaveType == 1) args += QStringLiteral("-S ");
    if (g.WaveType == 2) args += QStringLiteral("-T ");
    if (g.Phase > 0)
        args += QStringLiteral("-P") + signedText(g.Phase, Precision::Single) + QStringLiteral(" ");
    if (g.Gating > 0)
        args += QStringLiteral("-p") + signedText(g.Gating, Precision::Single) + QStringLiteral(" ");
    args += QStringLiteral("-f ") + g.ProgramName;
    g.FreqgenArgs = args;
}

std::expected<QString, QString> parseVolumeText(const QString& text) {
    if (text.isEmpty()) return QStringLiteral("0");
    const bool onlyBlanksAsSpace =
        std::ranges::none_of(text, [](QChar ch) { return ch.isSpace() && ch != u' '; });
    const auto value = onlyBlanksAsSpace ? parseWholeNumber(text) : std::nullopt;
    if (!value || *value < 0)
        return std::unexpected(
            QStringLiteral("\"%1\" is not a volume: use a number from 0 to 1.").arg(quotedInMessage(text)));
    return text;
}

std::expected<float, QString> parsePhaseText(const QString& text) {
    if (text.trimmed().isEmpty()) return 0.0f;
    const auto value = parseWholeNumber(text);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::unexpected(
            QStringLiteral("\"%1\" is not a phase in degrees.").arg(quotedInMessage(text)));
    return static_cast<float>(*value);
}

std::expected<qint16, QString> parseGatingText(const QString& text) {
    if (text.trimmed().isEmpty()) return qint16(0);
    const auto value = parseWholeNumber(text);
    if (!value || *value != std::floor(*value) || *value < 0 || *value > MaxGating)
        return std::unexpected(QStringLiteral("\"%1\" is not a gating rate: use a whole number from 0 to %2.")
                                   .arg(quotedInMessage(text))
                                   .arg(MaxGating));
    return static_cast<qint16>(*value);
}

std::expected<QString, QString> validateProgramName(const QString& typed) {
    QString name = typed.trimmed();
    if (name.isEmpty() || name == u"." || name == u"..")
        return std::unexpected(
            QStringLiteral("\"%1\" cannot be used as a program name.").arg(quotedInMessage(typed)));
    for (QChar ch : name) {
        if (ch == u'/' || ch == u'\\')
            return std::unexpected(
                QStringLiteral("A program name cannot hold \"%1\": programs are kept in Sono's own folder.")
                    .arg(ch));
        if (ch.isSpace() || ch.category() == QChar::Other_Control)
            return std::unexpected(QStringLiteral("A program name cannot hold blanks or control characters: "
                                                  "the generator takes it as one word."));
    }
    return name;
}

namespace {

// Each terminal's own way of being told "run this command": most take -e, some -x or --, and a few
// take the command as their last words.
struct KnownTerminal {
    const char* name;
    const char* runWords;
};
constexpr KnownTerminal KnownTerminals[] = {
    {"x-terminal-emulator", "-e"},
    {"gnome-terminal", "--"},
    {"konsole", "-e"},
    {"xfce4-terminal", "-x"},
    {"mate-terminal", "-x"},
    {"lxterminal", "-e"},
    {"xterm", "-e"},
    {"kgx", "--"},
    {"ptyxis", "--"},
    {"terminator", "-x"},
    {"alacritty", "-e"},
    {"kitty", ""},
    {"foot", ""},
    {"wezterm", "start --"},
    {"qterminal", "-e"},
    {"urxvt", "-e"},
    {"st", "-e"},
};
// Searched in this order after $TERMINAL.
constexpr int SearchedTerminals = 7;

QStringList runWordsOf(const QString& program) {
    const QString name = program.section(u'/', -1);
    for (const KnownTerminal& known : KnownTerminals) {
        if (name == QLatin1StringView(known.name))
            return QString::fromLatin1(known.runWords).split(u' ', Qt::SkipEmptyParts);
    }
    return {QStringLiteral("-e")};
}

} // namespace

TerminalCommand chooseTerminal(const QString& terminalVariable,
                               const std::function<QString(const QString&)>& find) {
    QStringList words = QProcess::splitCommand(terminalVariable);
    if (!words.isEmpty()) {
        if (const QString found = find(words.first()); !found.isEmpty()) {
            const QStringList options = words.mid(1);
            return {found, options + runWordsOf(words.first())};
        }
    }
    for (int i = 0; i < SearchedTerminals; ++i) {
        const QString name = QString::fromLatin1(KnownTerminals[i].name);
        if (const QString found = find(name); !found.isEmpty()) return {found, runWordsOf(name)};
    }
    return {};
}

FreqgenCommand freqgenCommandLine(const QString& appPath, const QString& freqgenArgs,
                                  const TerminalCommand& terminal) {
    QStringList words = freqgenArgs.split(u' ', Qt::SkipEmptyParts);
    if (!words.isEmpty()) words.last() += QStringLiteral(".run");
    const QString generator = freqgenPath(appPath);
    if (terminal.program.isEmpty()) return {generator, words};
    return {terminal.program, terminal.runWords + QStringList{generator} + words};
}

QString freqgenPath(const QString& appPath) {
    return appPath + QStringLiteral("/freqgen");
}

} // namespace sono
