#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace sono {

// Each of the 18 steps freqgen's nuke spread inserts lasts this long.
inline constexpr double SpreadStepSeconds = 180;

// What freqgen --control says on a status line.
struct PlayStatus {
    bool paused = false;
    int step = 0; // 1-based; 0 when none
    int count = 0;
    double freq = 0;   // asked for
    double played = 0; // sounding, after the fold below half the sample rate
    double elapsed = 0;
    double left = 0;
    double at = -1; // seconds from the program's start to the point playing, spread steps included
    double vl = 0;
    double vr = 0;
};

// One line of freqgen's standard output in control mode.
struct ControlLine {
    enum class Kind { Status, Finished, Note };
    Kind kind = Kind::Status;
    PlayStatus status;
    QString note;
};

// "playing ..." / "paused ..." / "finished ..." / "note ...". Nothing for a state word or a line this
// reader does not know, or a known field whose value is no number; unknown keys are skipped.
std::optional<ControlLine> parseControlLine(QStringView line);

// Enough of freqgen's standard error for any message it writes; a flood is cut off.
inline constexpr qsizetype MaxGeneratorErrorBytes = 64 * 1024;

// What the user is told when the tone generator `program` failed: the end of its standard error `errors`
// (freqgen's own message comes last), or Sono's words when it said nothing.
QString generatorFailureText(const QString& program, const QByteArray& errors, bool crashed, int exitCode);

// Seconds as m:ss, or h:mm:ss from an hour on.
QString playTimeText(double seconds);

// freqgen numbers its steps as it plays them, and the nuke spread inserts steps the program does not
// have. This follows those inserts so a played step can be shown on the program's own row.
class PlayedSteps {
public:
    // The first status of a run: steps 1..count are the program's.
    void reset(int count);
    void follow(const PlayStatus& status);
    // The program's step that freqgen's `step` plays, or 0 for an inserted one (or none).
    int programStep(int step) const;
    // freqgen's position `at` in the program's own time, whose steps last `seconds`: inserted steps
    // (each `insertedSeconds` long) take no time there, so the position waits at the end of the step
    // they follow.
    double programPosition(double at, const std::vector<double>& seconds, double insertedSeconds) const;

private:
    std::vector<int> origin_; // for each of freqgen's steps, the program's step or 0
    int lastStep_ = 0;
};

// Plays a program with freqgen as Sono's own child: commands go in on its standard input, status lines
// come back on its standard output. The child never outlives the player.
class GeneratorPlayer : public QObject {
    Q_OBJECT
public:
    enum class Command { Pause, Resume, Next, Back, Louder, Softer, Spread };

    explicit GeneratorPlayer(QObject* parent = nullptr);
    ~GeneratorPlayer() override;

    // Starts `program` (which must not be playing) in `workingFolder`; `name` is what it plays. The
    // outcome arrives as signals: status lines, then `ended`, and `failed` after it when freqgen
    // could not start or ended with an error.
    void start(const QString& program, const QStringList& arguments, const QString& workingFolder,
               const QString& name);
    bool isPlaying() const { return process_ != nullptr; }
    const QString& programName() const { return name_; }
    const PlayStatus& status() const { return status_; }
    // The program's step playing now (see PlayedSteps), 0 when none.
    int programStep() const;
    // Where playing is in the program's own time, its steps lasting `seconds`; -1 when nothing plays.
    double programPosition(const std::vector<double>& seconds) const;

    void send(Command command);
    // Asks freqgen to stop and waits briefly; one that does not is terminated, then killed. Ends
    // quietly: no `failed`.
    void stop();

signals:
    void statusChanged(const sono::PlayStatus& status);
    void noted(const QString& text);
    // freqgen's own message (its standard error, trimmed), or Sono's when there is none.
    void failed(const QString& message);
    // The child is gone, whatever the reason.
    void ended();

private:
    void readStatus();
    void finish(int exitCode, QProcess::ExitStatus exitStatus);
    void startFailed();
    void cleanUp();

    QProcess* process_ = nullptr;
    QString name_;
    QString programPath_;
    QByteArray errors_;
    PlayStatus status_;
    PlayedSteps steps_;
    bool stopping_ = false;
    bool seenStatus_ = false;
};

} // namespace sono
