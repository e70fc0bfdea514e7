#include "gui/generator/FrequencyManagerPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/display/WaveSketch.h"
#include "core/generator/GeneratorPlayer.h"
#include "core/generator/ProgramFile.h"
#include "core/generator/RunFile.h"
#include "gui/display/CalibrationWindow.h"
#include "gui/display/WaveDisplayWidget.h"
#include "gui/generator/ProgramLoadWindow.h"
#include "gui/generator/ProgramSaveWindow.h"
#include "gui/shell/BackgroundWork.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/HelpWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <memory>

#include "ui_FrequencyManagerPanel.h"

namespace sono {

namespace {

// The tip a box shows while it holds a valid value.
constexpr const char* ValidTip = "validTip";

} // namespace

FrequencyManagerPanel::FrequencyManagerPanel(Services& services)
    : services_(services), ui_(std::make_unique<Ui::FrequencyManagerPanel>()),
      player_(new GeneratorPlayer(this)) {
    ui_->setupUi(this);
    for (QLineEdit* edit : {ui_->Text7_0, ui_->Text7_1, ui_->Text10, ui_->Text11}) {
        edit->setProperty(ValidTip, edit->toolTip());
        connect(edit, &QLineEdit::textChanged, this, &FrequencyManagerPanel::fgDataBuild);
    }
    for (QCheckBox* tick : {ui_->Check3, ui_->Check4, ui_->Check5, ui_->Check6, ui_->Check7})
        connect(tick, &QCheckBox::toggled, this, &FrequencyManagerPanel::fgDataBuild);
    connect(ui_->Option3_1, &QRadioButton::clicked, this, &FrequencyManagerPanel::fgDataBuild);
    // Only shown: nothing reads the box back.
    connect(ui_->Option3_0, &QRadioButton::clicked, this,
            [this] { ui_->Text9->setText(freqgenPath(services_.state.folder.programFolder())); });
    QSlider* slider = ui_->Slider1_0;
    connect(slider, &QSlider::valueChanged, this, &FrequencyManagerPanel::phaseDisplay);
    // At the ends of the range the slider stays where it is.
    connect(ui_->Command10_2, &QPushButton::clicked, this, [slider] {
        if (slider->value() < slider->maximum()) slider->setValue(slider->value() + 1);
    });
    connect(ui_->Command10_0, &QPushButton::clicked, this, [slider] {
        if (slider->value() > slider->minimum()) slider->setValue(slider->value() - 1);
    });
    connect(ui_->Combo2, &QComboBox::activated, this, [this](int index) {
        services_.state.generator.WaveType = static_cast<qint16>(index);
        {
            const QSignalBlocker blocker(ui_->Slider1_0);
            ui_->Slider1_0->setValue(0);
        }
        // Also when the slider already stood at 0: a typed phase is reset with it.
        phaseDisplay();
        fgDrawWave();
    });
    connect(ui_->Command16, &QPushButton::clicked, this, [this] {
        if (mayStopPlaying()) run();
    });
    connect(ui_->Command14, &QPushButton::clicked, this, &FrequencyManagerPanel::openSaveWindow);
    connect(ui_->Command15, &QPushButton::clicked, this, &FrequencyManagerPanel::openLoadWindow);
    connect(ui_->Export, &QPushButton::clicked, this, &FrequencyManagerPanel::exportProgram);
}

FrequencyManagerPanel::~FrequencyManagerPanel() = default;

WaveDisplayWidget* FrequencyManagerPanel::waveDisplay() const {
    return ui_->Picture1_0;
}

void FrequencyManagerPanel::selectStartupOptions() {
    ui_->Option3_1->setChecked(true);
}

void FrequencyManagerPanel::applyProgram(const ProgramFileData& program) {
    AppState& state = services_.state;
    GeneratorSettings& g = state.generator;
    const ProgramSettings& h = program.header;
    applying_ = true;
    static_cast<ProgramSettings&>(g) = h;

    ui_->Text7_0->setText(h.VolLeft);
    ui_->Text7_1->setText(h.VolRight);
    ui_->Check3->setChecked(h.LeftOn != 0);
    ui_->Check4->setChecked(h.RightOn != 0);
    ui_->Check5->setChecked(h.ExtendedHardware != 0);
    {
        const QSignalBlocker blocker(ui_->Slider1_0);
        ui_->Slider1_0->setValue(static_cast<int>(std::clamp(roundHalfEven(h.Phase), 0.0, 359.0)));
    }
    phaseDisplay();
    ui_->Text11->setText(QString::number(h.Gating));
    ui_->Check6->setChecked(h.LeftEqualsRight != 0);
    ui_->Check7->setChecked(h.RecordSession != 0);
    if (h.WaveType >= 0 && h.WaveType <= 2) ui_->Combo2->setCurrentIndex(h.WaveType);

    state.program.load(program.steps, h.SortMode);
    applying_ = false;
    fgDrawWave();
}

void FrequencyManagerPanel::loadProgram(const ProgramFileData& program, const QString& name) {
    applyProgram(program);
    setProgramName(name);
}

void FrequencyManagerPanel::setRunEnabled(bool enabled) {
    ui_->Command16->setEnabled(enabled);
    ui_->Export->setEnabled(enabled);
}

void FrequencyManagerPanel::markBox(QLineEdit* box, const QString& problem) {
    box->setProperty("invalid", !problem.isEmpty());
    if (problem.isEmpty()) {
        box->setStyleSheet(QString());
        box->setToolTip(box->property(ValidTip).toString());
        box->setAccessibleDescription(QString());
    } else {
        // A red tint of the theme's own field colour: light pink on a light desktop, dark red on a dark one.
        // Taken from the parent: the box's own palette already carries any earlier tint.
        const QColor base = box->parentWidget()->palette().color(QPalette::Base);
        const QColor tint((base.red() * 3 + 255) / 4, base.green() * 3 / 4, base.blue() * 3 / 4);
        box->setStyleSheet(QStringLiteral("QLineEdit { background: %1; }").arg(tint.name()));
        const QString text = problem + QStringLiteral(" The generator is given the last valid value.");
        box->setToolTip(text);
        box->setAccessibleDescription(text);
    }
}

void FrequencyManagerPanel::fgDataBuild() {
    if (applying_) return;
    ManagerControls c;
    QLineEdit* const volumeBoxes[2] = {ui_->Text7_0, ui_->Text7_1};
    for (int side = 0; side < 2; ++side) {
        const auto volume = parseVolumeText(volumeBoxes[side]->text());
        if (volume) lastVolume_[side] = *volume;
        markBox(volumeBoxes[side], volume ? QString() : volume.error());
    }
    c.leftVolume = lastVolume_[0];
    c.rightVolume = lastVolume_[1];
    c.leftOn = ui_->Check3->isChecked();
    c.rightOn = ui_->Check4->isChecked();
    c.extendedHardware = ui_->Check5->isChecked();
    c.leftEqualsRight = ui_->Check6->isChecked();
    c.recordSession = ui_->Check7->isChecked();
    const auto phase = parsePhaseText(ui_->Text10->text());
    if (phase) lastPhase_ = *phase;
    markBox(ui_->Text10, phase ? QString() : phase.error());
    const auto gating = parseGatingText(ui_->Text11->text());
    if (gating) lastGating_ = *gating;
    markBox(ui_->Text11, gating ? QString() : gating.error());
    c.phase = lastPhase_;
    c.gating = lastGating_;
    GeneratorSettings& g = services_.state.generator;
    buildFreqgenArgs(c, g);
    ui_->Text9->setText(g.FreqgenArgs);
}

void FrequencyManagerPanel::fgDrawWave() {
    const GeneratorSettings& g = services_.state.generator;
    // An unknown wave type leaves the picture as it was.
    if (g.WaveType >= 0 && g.WaveType <= 3) ui_->Picture1_0->setTraces(waveSketch(g.WaveType, g.Phase));
    fgDataBuild();
}

void FrequencyManagerPanel::phaseDisplay() {
    GeneratorSettings& g = services_.state.generator;
    g.Phase = static_cast<float>(ui_->Slider1_0->value());
    {
        const QSignalBlocker blocker(ui_->Text10);
        ui_->Text10->setText(QString::number(ui_->Slider1_0->value()));
    }
    ui_->Picture1_0->setTraces(sono::phaseDisplay(g.WaveType, g.Phase));
    fgDataBuild();
}

void FrequencyManagerPanel::setProgramName(const QString& name) {
    services_.state.generator.ProgramName = name;
    ui_->Frame6->setTitle(QStringLiteral(" File : ") + name);
    fgDataBuild();
}

std::expected<QString, QString> FrequencyManagerPanel::writeRunFile() {
    AppState& state = services_.state;
    const OutFreqArray& outFreq = state.program.prepareRun(state.calibration);
    // Exactly the name the generator is given, even when a file differing only in case exists.
    QString runPath = state.AppPath + u'/' + state.generator.ProgramName + QStringLiteral(".run");
    const QByteArray bytes =
        runFileBytes(state.generator.FreqgenArgs, state.BuildTitle, state.program.table(), outFreq);
    if (auto written = writeWholeFile(runPath, bytes); !written) return std::unexpected(written.error());
    return runPath;
}

void FrequencyManagerPanel::run() {
    AppState& state = services_.state;
    Platform& platform = services_.platform;
    const auto written = writeRunFile();
    if (!written) {
        platform.message(written.error() + QStringLiteral("\n\nThe generator was not started."));
        return;
    }
    const QString& runPath = *written;
    // The generator lives beside sono, which need not be the folder Sono keeps its files in.
    const QString generator = freqgenPath(state.folder.programFolder());
    const QFileInfo generatorFile(generator);
    if (!generatorFile.isFile() || !generatorFile.isExecutable()) {
        platform.message(
            QStringLiteral("The tone generator %1 is missing or cannot be run, so the program was "
                           "not played. The run file %2 is ready for it.")
                .arg(generator, runPath));
        return;
    }
    showKeyCommands(services_);
    // Never two generators at once.
    player_->stop();
    const QString programFolder = state.folder.programFolder();
    if (state.PlayInTerminal) {
        const TerminalCommand terminal =
            chooseTerminal(qEnvironmentVariable("TERMINAL"),
                           [&platform](const QString& name) { return platform.findExecutable(name); });
        const FreqgenCommand command =
            freqgenCommandLine(programFolder, state.generator.FreqgenArgs, terminal);
        if (!platform.startProgram(command.program, command.arguments, state.AppPath))
            platform.message(QStringLiteral("Sono could not start %1.").arg(command.program));
        return;
    }
    const FreqgenCommand command = freqgenCommandLine(programFolder, state.generator.FreqgenArgs, {});
    player_->start(command.program, QStringList{QStringLiteral("--control")} + command.arguments,
                   state.AppPath, state.generator.ProgramName);
}

bool FrequencyManagerPanel::mayStopPlaying() {
    if (!player_->isPlaying()) return true;
    // Asked before anything is written, so Cancel leaves the playing program and its run file alone.
    const MessageAnswer answer =
        services_.platform.message(QStringLiteral("Sono is still playing %1.\n\nStop it and run %2?")
                                       .arg(player_->programName(), services_.state.generator.ProgramName),
                                   AppTitle, MessageButtons::OkCancel);
    if (answer != MessageAnswer::Ok) return false;
    player_->stop();
    return true;
}

void FrequencyManagerPanel::openSaveWindow() {
    services_.state.program.takeFromGrid();
    services_.windows.open<ProgramSaveWindow>(QStringLiteral("Form10"),
                                              [this] { return new ProgramSaveWindow(services_); });
}

void FrequencyManagerPanel::openLoadWindow() {
    emit loadWindowOpening();
    services_.windows.open<ProgramLoadWindow>(QStringLiteral("Form11"),
                                              [this] { return new ProgramLoadWindow(services_); });
}

void FrequencyManagerPanel::openCalibrationWindow() {
    services_.windows.open<CalibrationWindow>(QStringLiteral("Form21"),
                                              [this] { return new CalibrationWindow(services_); });
}

namespace {

// What the generator left behind, handed from the export's thread to the window.
struct ExportOutcome {
    bool started = false;
    int exitCode = 0;
    bool crashed = false;
    QByteArray messages; // its standard error, less the progress lines
};

QString timeLeftText(double seconds) {
    const auto whole = static_cast<qint64>(std::ceil(seconds));
    if (whole < 60) return QStringLiteral("about %1 s left").arg(std::max<qint64>(whole, 1));
    if (whole < 3600) return QStringLiteral("about %1 min %2 s left").arg(whole / 60).arg(whole % 60);
    return QStringLiteral("about %1 h %2 min left").arg(whole / 3600).arg(whole / 60 % 60);
}

// Runs on the export's own thread: starts the generator, follows its "progress <done> <total>" lines,
// and on Cancel ends it with SIGTERM (it then removes its partial file) and waits for it.
void runGenerator(const FreqgenCommand& command, const QString& folder, const QString& fileName,
                  BackgroundWork::Progress& progress, ExportOutcome& outcome) {
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setReadChannel(QProcess::StandardError);
    process.start();
    if (!process.waitForStarted()) {
        outcome.messages = process.errorString().toUtf8();
        return;
    }
    outcome.started = true;
    QElapsedTimer clock;
    clock.start();
    double done = 0;
    double total = 0;
    double doneAt = 0; // seconds since the start when `done` was reported
    const auto readLines = [&] {
        while (process.canReadLine()) {
            const QByteArray bytes = process.readLine();
            const QStringList words = QString::fromUtf8(bytes).split(u' ', Qt::SkipEmptyParts);
            if (words.size() != 3 || words[0] != QStringLiteral("progress")) {
                if (outcome.messages.size() < MaxGeneratorErrorBytes) outcome.messages += bytes;
                continue;
            }
            const double lineDone = words[1].toDouble();
            const double lineTotal = words[2].toDouble();
            if (lineTotal <= 0 || lineDone < 0) continue;
            done = std::min(lineDone, lineTotal);
            total = lineTotal;
            doneAt = clock.elapsed() / 1000.0;
            progress.set(static_cast<int>(done), static_cast<int>(total));
        }
    };
    while (process.state() != QProcess::NotRunning) {
        if (progress.cancelled()) {
            process.terminate();
            if (!process.waitForFinished(10000)) process.kill();
            process.waitForFinished();
            break;
        }
        process.waitForReadyRead(100);
        readLines();
        // The speed so far, counted down between lines; the first second says too little to guess from.
        QString stage = QStringLiteral("Writing %1").arg(fileName);
        if (done > 0 && doneAt >= 1)
            stage += QStringLiteral(", ") +
                     timeLeftText(doneAt * (total - done) / done - (clock.elapsed() / 1000.0 - doneAt));
        progress.say(stage);
    }
    process.waitForFinished();
    readLines();
    outcome.messages +=
        process.readAll().left(std::max<qsizetype>(0, MaxGeneratorErrorBytes - outcome.messages.size()));
    outcome.exitCode = process.exitCode();
    outcome.crashed = process.exitStatus() == QProcess::CrashExit;
}

} // namespace

void FrequencyManagerPanel::exportProgram() {
    AppState& state = services_.state;
    Platform& platform = services_.platform;
    if (services_.work.busy()) return;
    const QString file =
        platform.saveFileName(QStringLiteral("Export Program"),
                              state.AppPath + u'/' + state.generator.ProgramName + QStringLiteral(".wav"),
                              {QStringLiteral("WAV (*.wav)"), QStringLiteral("FLAC (*.flac)"),
                               QStringLiteral("Ogg Vorbis (*.ogg *.oga)")});
    if (file.isEmpty()) return;
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (!QStringList{QStringLiteral("wav"), QStringLiteral("flac"), QStringLiteral("ogg"),
                     QStringLiteral("oga")}
             .contains(suffix)) {
        platform.message(
            QStringLiteral("Sono exports WAV, FLAC and Ogg Vorbis files: the name %1 must end in "
                           ".wav, .flac or .ogg.")
                .arg(file));
        return;
    }
    const auto runPath = writeRunFile();
    if (!runPath) {
        platform.message(runPath.error() + QStringLiteral("\n\nNothing was exported."));
        return;
    }
    FreqgenCommand command =
        freqgenCommandLine(state.folder.programFolder(), state.generator.FreqgenArgs, {});
    command.arguments = QStringList{QStringLiteral("--out"), file} + command.arguments;

    // What was there before is never removed: an older export, or another generator's partial file.
    const bool existed = QFileInfo::exists(file);
    const bool partExisted = QFileInfo::exists(file + QStringLiteral(".part"));
    const auto outcome = std::make_shared<ExportOutcome>();
    const QString folder = state.AppPath;
    const QString fileName = QFileInfo(file).fileName();
    services_.work.start(
        window(), QStringLiteral("Export"),
        [command, folder, fileName, outcome](BackgroundWork::Progress& progress) {
            runGenerator(command, folder, fileName, progress, *outcome);
        },
        [&platform, program = command.program, file, existed, partExisted, outcome](bool cancelled) {
            const bool ok = !cancelled && outcome->started && !outcome->crashed && outcome->exitCode == 0;
            if (ok) {
                platform.message(QStringLiteral("The program was exported to %1.").arg(file));
                return;
            }
            // The generator removes its partial file itself; a killed one cannot.
            if (!partExisted) QFile::remove(file + QStringLiteral(".part"));
            if (!existed) QFile::remove(file);
            if (cancelled) return;
            const QString text = outcome->started ? generatorFailureText(program, outcome->messages,
                                                                         outcome->crashed, outcome->exitCode)
                                                  : QStringLiteral("Sono could not start %1: %2")
                                                        .arg(program, QString::fromUtf8(outcome->messages));
            platform.message(text + QStringLiteral("\n\nNothing was exported."));
        });
}

} // namespace sono
