#include "core/generator/GeneratorPlayer.h"

#include <algorithm>
#include <cmath>

namespace sono {

namespace {

// How long freqgen is given to obey `stop`, and then to obey SIGTERM.
constexpr int StopWaitMs = 1500;
constexpr int TerminateWaitMs = 1000;
// Sound libraries can write screens of their own notices before freqgen's message, which comes last.
constexpr qsizetype ShownErrorLines = 20;

std::optional<double> number(QStringView text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<ControlLine> parseControlLine(QStringView line) {
    const QStringView text = line.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    const QStringView word = blank < 0 ? text : text.left(blank);
    const QStringView rest = blank < 0 ? QStringView() : text.mid(blank + 1);
    ControlLine parsed;
    if (word == u"note") {
        parsed.kind = ControlLine::Kind::Note;
        parsed.note = rest.trimmed().toString();
        return parsed;
    }
    if (word == u"finished")
        parsed.kind = ControlLine::Kind::Finished;
    else if (word == u"paused")
        parsed.status.paused = true;
    else if (word != u"playing")
        return std::nullopt;

    PlayStatus& s = parsed.status;
    struct Field {
        const char16_t* key;
        double* real;
        int* whole;
    };
    const Field fields[] = {
        {u"step", nullptr, &s.step},     {u"count", nullptr, &s.count},     {u"freq", &s.freq, nullptr},
        {u"played", &s.played, nullptr}, {u"elapsed", &s.elapsed, nullptr}, {u"left", &s.left, nullptr},
        {u"at", &s.at, nullptr},         {u"vl", &s.vl, nullptr},           {u"vr", &s.vr, nullptr}};
    for (QStringView pair : rest.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq <= 0) continue;
        const QStringView key = pair.left(eq);
        const auto field = std::ranges::find_if(fields, [&](const Field& f) { return key == f.key; });
        if (field == std::end(fields)) continue;
        const auto value = number(pair.mid(eq + 1));
        if (!value) return std::nullopt;
        if (field->real) {
            *field->real = *value;
        } else {
            if (*value != std::floor(*value) || *value < 0 || *value > 1e9) return std::nullopt;
            *field->whole = static_cast<int>(*value);
        }
    }
    return parsed;
}

QString generatorFailureText(const QString& program, const QByteArray& errors, bool crashed, int exitCode) {
    QStringList lines = QString::fromUtf8(errors).trimmed().split(u'\n');
    if (lines.size() > ShownErrorLines)
        lines = QStringList(QStringLiteral("…")) + lines.mid(lines.size() - ShownErrorLines);
    QString text = lines.join(u'\n');
    if (!text.isEmpty()) return text;
    return crashed
               ? QStringLiteral("The tone generator %1 stopped unexpectedly.").arg(program)
               : QStringLiteral("The tone generator %1 ended with exit code %2.").arg(program).arg(exitCode);
}

QString playTimeText(double seconds) {
    const qint64 total = seconds > 0 ? static_cast<qint64>(std::floor(std::min(seconds, 1e12))) : 0;
    const qint64 h = total / 3600;
    const qint64 m = total / 60 % 60;
    const qint64 s = total % 60;
    const QString ss = QStringLiteral("%1").arg(s, 2, 10, QLatin1Char('0'));
    if (h == 0) return QStringLiteral("%1:%2").arg(m).arg(ss);
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(ss);
}

void PlayedSteps::reset(int count) {
    origin_.resize(static_cast<size_t>(std::max(count, 0)));
    for (size_t i = 0; i < origin_.size(); ++i)
        origin_[i] = static_cast<int>(i) + 1;
    lastStep_ = 0;
}

void PlayedSteps::follow(const PlayStatus& status) {
    const auto count = static_cast<size_t>(std::max(status.count, 0));
    if (count > origin_.size()) {
        // The spread goes in after the step that was playing when it was asked for.
        const int after =
            std::clamp(lastStep_ > 0 ? lastStep_ : status.step, 0, static_cast<int>(origin_.size()));
        origin_.insert(origin_.begin() + after, count - origin_.size(), 0);
    } else {
        origin_.resize(count);
    }
    lastStep_ = status.step;
}

int PlayedSteps::programStep(int step) const {
    if (step < 1 || static_cast<size_t>(step) > origin_.size()) return 0;
    return origin_[static_cast<size_t>(step) - 1];
}

double PlayedSteps::programPosition(double at, const std::vector<double>& seconds,
                                    double insertedSeconds) const {
    double generatorStart = 0, programStart = 0;
    for (size_t i = 0; i < origin_.size(); ++i) {
        const int step = origin_[i];
        const bool inserted = step == 0;
        const double length = inserted                                      ? insertedSeconds
                              : static_cast<size_t>(step) <= seconds.size() ? std::max(0.0, seconds[step - 1])
                                                                            : 0.0;
        if (at < generatorStart + length || i + 1 == origin_.size())
            return inserted ? programStart : programStart + std::clamp(at - generatorStart, 0.0, length);
        generatorStart += length;
        if (!inserted) programStart += length;
    }
    return std::max(at, 0.0);
}

GeneratorPlayer::GeneratorPlayer(QObject* parent) : QObject(parent) {}

GeneratorPlayer::~GeneratorPlayer() {
    // No signals into a half-destroyed owner.
    blockSignals(true);
    stop();
}

void GeneratorPlayer::start(const QString& program, const QStringList& arguments,
                            const QString& workingFolder, const QString& name) {
    if (process_) return;
    name_ = name;
    programPath_ = program;
    errors_.clear();
    status_ = {};
    steps_.reset(0);
    stopping_ = false;
    seenStatus_ = false;
    process_ = new QProcess(this);
    process_->setWorkingDirectory(workingFolder);
    connect(process_, &QProcess::readyReadStandardOutput, this, &GeneratorPlayer::readStatus);
    connect(process_, &QProcess::readyReadStandardError, this, [this] {
        const QByteArray more = process_->readAllStandardError();
        errors_ += more.left(std::max<qsizetype>(0, MaxGeneratorErrorBytes - errors_.size()));
    });
    connect(process_, &QProcess::finished, this, &GeneratorPlayer::finish);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) startFailed();
    });
    process_->start(program, arguments);
}

int GeneratorPlayer::programStep() const {
    return isPlaying() ? steps_.programStep(status_.step) : 0;
}

double GeneratorPlayer::programPosition(const std::vector<double>& seconds) const {
    if (!isPlaying() || status_.at < 0) return -1;
    return steps_.programPosition(status_.at, seconds, SpreadStepSeconds);
}

void GeneratorPlayer::send(Command command) {
    static constexpr const char* Words[] = {"pause\n",  "resume\n", "next\n",  "back\n",
                                            "louder\n", "softer\n", "spread\n"};
    if (!process_ || process_->state() != QProcess::Running) return;
    process_->write(Words[static_cast<int>(command)]);
}

void GeneratorPlayer::stop() {
    if (!process_) return;
    stopping_ = true;
    // Not yet running: it fails to start (and cleans up) or runs and is stopped like any other.
    if (process_->state() == QProcess::Starting) process_->waitForStarted(StopWaitMs);
    if (process_ && process_->state() == QProcess::Running) {
        process_->write("stop\n");
        process_->closeWriteChannel();
        if (!process_->waitForFinished(StopWaitMs)) {
            process_->terminate();
            if (!process_->waitForFinished(TerminateWaitMs)) {
                process_->kill();
                process_->waitForFinished(TerminateWaitMs);
            }
        }
    }
    // waitForFinished delivered `finished` already unless the child never ran or would not die.
    if (process_) cleanUp();
}

void GeneratorPlayer::readStatus() {
    if (!process_) return;
    while (process_->canReadLine()) {
        const QString line = QString::fromUtf8(process_->readLine());
        const auto parsed = parseControlLine(line);
        if (!parsed) continue;
        if (parsed->kind == ControlLine::Kind::Note) {
            emit noted(parsed->note);
            continue;
        }
        if (parsed->kind == ControlLine::Kind::Finished) continue; // `finished` of the process follows
        if (!seenStatus_) steps_.reset(parsed->status.count);
        seenStatus_ = true;
        steps_.follow(parsed->status);
        status_ = parsed->status;
        emit statusChanged(status_);
    }
}

void GeneratorPlayer::finish(int exitCode, QProcess::ExitStatus exitStatus) {
    if (!process_) return;
    readStatus();
    errors_ += process_->readAllStandardError().left(
        std::max<qsizetype>(0, MaxGeneratorErrorBytes - errors_.size()));
    if (!stopping_ && (exitStatus != QProcess::NormalExit || exitCode != 0)) {
        const QString message =
            generatorFailureText(programPath_, errors_, exitStatus != QProcess::NormalExit, exitCode);
        cleanUp();
        // The transport is reset before the message is shown, not after it is answered.
        emit ended();
        emit failed(message);
        return;
    }
    cleanUp();
    emit ended();
}

void GeneratorPlayer::startFailed() {
    if (!process_) return;
    const QString reason = process_->errorString();
    const bool quiet = stopping_;
    cleanUp();
    emit ended();
    if (!quiet) emit failed(QStringLiteral("Sono could not start %1: %2").arg(programPath_, reason));
}

void GeneratorPlayer::cleanUp() {
    QProcess* process = std::exchange(process_, nullptr);
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
        // Should never happen after kill; the process object stays until it is reaped.
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return;
    }
    process->deleteLater();
}

} // namespace sono
