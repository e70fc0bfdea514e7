#include "gui/generator/FrequencyManagerPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/display/WaveSketch.h"
#include "core/generator/ProgramFile.h"
#include "core/generator/RunFile.h"
#include "gui/display/CalibrationWindow.h"
#include "gui/display/WaveDisplayWidget.h"
#include "gui/generator/ProgramLoadWindow.h"
#include "gui/generator/ProgramSaveWindow.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/HelpWindows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace sono {

namespace {

const QString PhaseTip = QStringLiteral(" Phase - Enter decimal value here ");
const QString VolumeTips[2] = {QStringLiteral(" Left volume level 0 to 1 values "),
                               QStringLiteral(" Right volume level 0 to 1 values ")};
const QString GatingTip = QStringLiteral(" Gating is pulses per second. 1 to 1000 range ");

QLineEdit* box(QWidget* parent, const char* name, const QString& text, const QString& tip, int width) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setToolTip(tip);
    edit->setFixedWidth(width);
    return edit;
}

QCheckBox* check(QWidget* parent, const char* name, const QString& caption, const QString& tip,
                 const QString& accessible) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tip);
    box->setAccessibleName(accessible);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip = {}) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
}

QLabel* buddyLabel(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FrequencyManagerPanel::FrequencyManagerPanel(Services& services) : services_(services) {
    setObjectName(QStringLiteral("FrequencyManager"));
    auto* manager = new QGroupBox(QStringLiteral("Frequency Manager"), this);
    manager->setObjectName(QStringLiteral("FrequencyManagerFrame"));

    volume_[0] = box(manager, "Text7_0", QStringLiteral("0.5"), VolumeTips[0], 60);
    volume_[1] = box(manager, "Text7_1", QStringLiteral("0.5"), VolumeTips[1], 60);
    leftOn_ = check(manager, "Check3", QString(), QStringLiteral(" Zero left volume "),
                    QStringLiteral("Left channel on"));
    rightOn_ = check(manager, "Check4", QString(), QStringLiteral(" Zero Right volume "),
                     QStringLiteral("Right channel on"));
    extended_ =
        check(manager, "Check5", QStringLiteral("Extended hardware"),
              QStringLiteral(" For frequency extended hardware - check Freqgen instructions fg_inst.txt in "
                             "the Sono folder "),
              QStringLiteral("Extended hardware"));
    leftEqualsRight_ =
        check(manager, "Check6", QStringLiteral("L=R"),
              QStringLiteral(" Means the Left speaker is ouputing the same frequency as the Right speaker "),
              QStringLiteral("L=R"));
    report_ = check(manager, "Check7", QStringLiteral("Report"),
                    QStringLiteral(" Records a copy of the session (frequencies, durations, etc) in the file "
                                   "\"session_DATE\" where DATE is the current date/time "),
                    QStringLiteral("Report"));

    phase_ = box(manager, "Text10", QStringLiteral("0"), PhaseTip, 60);
    slider_ = new QSlider(Qt::Horizontal, manager);
    slider_->setObjectName(QStringLiteral("Slider1_0"));
    slider_->setRange(0, 359);
    slider_->setSingleStep(1);
    slider_->setPageStep(5);
    slider_->setToolTip(QStringLiteral(" Phase Slider - don't alter unless you know what Phase does "));
    slider_->setAccessibleName(QStringLiteral("Phase slider"));
    slider_->setMinimumWidth(120);
    phaseDown_ = button(manager, "Command10_0", QStringLiteral("<"), QStringLiteral(" Decrease Phase by 1"));
    phaseUp_ = button(manager, "Command10_2", QStringLiteral(">"), QStringLiteral(" Increase Phase by 1 "));
    phaseDown_->setAccessibleName(QStringLiteral("Decrease phase"));
    phaseUp_->setAccessibleName(QStringLiteral("Increase phase"));
    for (QPushButton* b : {phaseDown_, phaseUp_})
        b->setFixedWidth(28);
    gating_ = box(manager, "Text11", QStringLiteral("0"), GatingTip, 60);

    wave_ = new QComboBox(manager);
    wave_->setObjectName(QStringLiteral("Combo2"));
    wave_->setToolTip(QStringLiteral("For sine to square wave convertor "));
    wave_->setPlaceholderText(QStringLiteral("Select Wave"));
    wave_->addItems(
        {QStringLiteral("Sine wave"), QStringLiteral("Square wave"), QStringLiteral("Saw Tooth wave")});
    wave_->setCurrentIndex(-1);
    picture_ = new WaveDisplayWidget(manager);

    auto* grid = new QGridLayout(manager);
    grid->addWidget(new QLabel(QStringLiteral("Volume : 0 to 1"), manager), 0, 0, 1, 3);
    grid->addWidget(buddyLabel(manager, QStringLiteral("Left"), volume_[0]), 1, 0);
    grid->addWidget(volume_[0], 1, 1);
    grid->addWidget(leftOn_, 1, 2);
    grid->addWidget(buddyLabel(manager, QStringLiteral("Right"), volume_[1]), 2, 0);
    grid->addWidget(volume_[1], 2, 1);
    grid->addWidget(rightOn_, 2, 2);
    auto* switches = new QVBoxLayout;
    switches->addWidget(extended_);
    switches->addWidget(leftEqualsRight_);
    switches->addWidget(report_);
    grid->addLayout(switches, 0, 3, 3, 1);

    auto* phaseRow = new QHBoxLayout;
    phaseRow->addWidget(buddyLabel(manager, QStringLiteral("Phase"), phase_));
    phaseRow->addWidget(phase_);
    phaseRow->addWidget(new QLabel(QStringLiteral("degrees"), manager));
    phaseRow->addSpacing(8);
    phaseRow->addWidget(phaseDown_);
    phaseRow->addWidget(slider_, 1);
    phaseRow->addWidget(phaseUp_);
    grid->addLayout(phaseRow, 3, 0, 1, 5);

    auto* waveRow = new QHBoxLayout;
    waveRow->addWidget(buddyLabel(manager, QStringLiteral("Gating/Pulse"), gating_));
    waveRow->addWidget(gating_);
    waveRow->addSpacing(8);
    waveRow->addWidget(buddyLabel(manager, QStringLiteral("Wave Form"), wave_));
    waveRow->addWidget(wave_);
    waveRow->addStretch(1);
    waveRow->addWidget(picture_);
    grid->addLayout(waveRow, 4, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    fileFrame_ = new QGroupBox(QStringLiteral(" File : default "), this);
    fileFrame_->setObjectName(QStringLiteral("Frame6"));
    showPath_ = new QRadioButton(QStringLiteral("Path"), fileFrame_);
    showPath_->setObjectName(QStringLiteral("Option3_0"));
    showArgs_ = new QRadioButton(QStringLiteral("Arguments"), fileFrame_);
    showArgs_->setObjectName(QStringLiteral("Option3_1"));
    args_ = new QLineEdit(fileFrame_);
    args_->setObjectName(QStringLiteral("Text9"));
    args_->setAccessibleName(QStringLiteral("Freqgen options"));
    run_ = button(fileFrame_, "Command16", QStringLiteral("Run"));
    save_ = button(fileFrame_, "Command14", QStringLiteral("Save"));
    load_ = button(fileFrame_, "Command15", QStringLiteral("Load"));
    auto* fileLayout = new QGridLayout(fileFrame_);
    fileLayout->addWidget(showPath_, 0, 0);
    fileLayout->addWidget(showArgs_, 0, 1);
    fileLayout->addWidget(args_, 1, 0, 1, 5);
    fileLayout->addWidget(run_, 0, 2);
    fileLayout->addWidget(save_, 0, 3);
    fileLayout->addWidget(load_, 0, 4);
    fileLayout->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(manager);
    layout->addWidget(fileFrame_);
    layout->addStretch(1);

    for (QLineEdit* edit : {volume_[0], volume_[1], phase_, gating_})
        connect(edit, &QLineEdit::textChanged, this, &FrequencyManagerPanel::fgDataBuild);
    for (QCheckBox* tick : {leftOn_, rightOn_, extended_, leftEqualsRight_, report_})
        connect(tick, &QCheckBox::toggled, this, &FrequencyManagerPanel::fgDataBuild);
    connect(showArgs_, &QRadioButton::clicked, this, &FrequencyManagerPanel::fgDataBuild);
    // Only shown: nothing reads the box back.
    connect(showPath_, &QRadioButton::clicked, this,
            [this] { args_->setText(freqgenPath(services_.state.folder.programFolder())); });
    connect(slider_, &QSlider::valueChanged, this, &FrequencyManagerPanel::phaseDisplay);
    // At the ends of the range the slider stays where it is.
    connect(phaseUp_, &QPushButton::clicked, this, [this] {
        if (slider_->value() < slider_->maximum()) slider_->setValue(slider_->value() + 1);
    });
    connect(phaseDown_, &QPushButton::clicked, this, [this] {
        if (slider_->value() > slider_->minimum()) slider_->setValue(slider_->value() - 1);
    });
    connect(wave_, &QComboBox::activated, this, [this](int index) {
        services_.state.generator.WaveType = static_cast<qint16>(index);
        {
            const QSignalBlocker blocker(slider_);
            slider_->setValue(0);
        }
        // Also when the slider already stood at 0: a typed phase is reset with it.
        phaseDisplay();
        fgDrawWave();
    });
    connect(run_, &QPushButton::clicked, this, &FrequencyManagerPanel::run);
    connect(save_, &QPushButton::clicked, this, &FrequencyManagerPanel::openSaveWindow);
    connect(load_, &QPushButton::clicked, this, &FrequencyManagerPanel::openLoadWindow);
}

void FrequencyManagerPanel::selectStartupOptions() {
    showArgs_->setChecked(true);
}

void FrequencyManagerPanel::applyProgram(const ProgramFileData& program) {
    AppState& state = services_.state;
    GeneratorSettings& g = state.generator;
    const ProgramSettings& h = program.header;
    applying_ = true;
    static_cast<ProgramSettings&>(g) = h;

    volume_[0]->setText(h.VolLeft);
    volume_[1]->setText(h.VolRight);
    leftOn_->setChecked(h.LeftOn != 0);
    rightOn_->setChecked(h.RightOn != 0);
    extended_->setChecked(h.ExtendedHardware != 0);
    {
        const QSignalBlocker blocker(slider_);
        slider_->setValue(static_cast<int>(std::clamp(roundHalfEven(h.Phase), 0.0, 359.0)));
    }
    phaseDisplay();
    gating_->setText(QString::number(h.Gating));
    leftEqualsRight_->setChecked(h.LeftEqualsRight != 0);
    report_->setChecked(h.RecordSession != 0);
    if (h.WaveType >= 0 && h.WaveType <= 2) wave_->setCurrentIndex(h.WaveType);

    state.program.load(program.steps, h.SortMode);
    applying_ = false;
    fgDrawWave();
}

void FrequencyManagerPanel::loadProgram(const ProgramFileData& program, const QString& name) {
    applyProgram(program);
    setProgramName(name);
}

void FrequencyManagerPanel::setRunEnabled(bool enabled) {
    run_->setEnabled(enabled);
}

void FrequencyManagerPanel::markBox(QLineEdit* box, const QString& problem, const QString& tip) {
    box->setProperty("invalid", !problem.isEmpty());
    if (problem.isEmpty()) {
        box->setStyleSheet(QString());
        box->setToolTip(tip);
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
    for (int side = 0; side < 2; ++side) {
        if (const auto volume = parseVolumeText(volume_[side]->text())) {
            lastVolume_[side] = *volume;
            markBox(volume_[side], {}, VolumeTips[side]);
        } else {
            markBox(volume_[side], volume.error(), VolumeTips[side]);
        }
    }
    c.leftVolume = lastVolume_[0];
    c.rightVolume = lastVolume_[1];
    c.leftOn = leftOn_->isChecked();
    c.rightOn = rightOn_->isChecked();
    c.extendedHardware = extended_->isChecked();
    c.leftEqualsRight = leftEqualsRight_->isChecked();
    c.recordSession = report_->isChecked();
    if (const auto phase = parsePhaseText(phase_->text())) {
        lastPhase_ = *phase;
        markBox(phase_, {}, PhaseTip);
    } else {
        markBox(phase_, phase.error(), PhaseTip);
    }
    if (const auto gating = parseGatingText(gating_->text())) {
        lastGating_ = *gating;
        markBox(gating_, {}, GatingTip);
    } else {
        markBox(gating_, gating.error(), GatingTip);
    }
    c.phase = lastPhase_;
    c.gating = lastGating_;
    GeneratorSettings& g = services_.state.generator;
    buildFreqgenArgs(c, g);
    args_->setText(g.FreqgenArgs);
}

void FrequencyManagerPanel::fgDrawWave() {
    const GeneratorSettings& g = services_.state.generator;
    // An unknown wave type leaves the picture as it was.
    if (g.WaveType >= 0 && g.WaveType <= 3) picture_->setTraces(waveSketch(g.WaveType, g.Phase));
    fgDataBuild();
}

void FrequencyManagerPanel::phaseDisplay() {
    GeneratorSettings& g = services_.state.generator;
    g.Phase = static_cast<float>(slider_->value());
    {
        const QSignalBlocker blocker(phase_);
        phase_->setText(QString::number(slider_->value()));
    }
    picture_->setTraces(sono::phaseDisplay(g.WaveType, g.Phase));
    fgDataBuild();
}

void FrequencyManagerPanel::setProgramName(const QString& name) {
    services_.state.generator.ProgramName = name;
    fileFrame_->setTitle(QStringLiteral(" File : ") + name);
    fgDataBuild();
}

void FrequencyManagerPanel::run() {
    AppState& state = services_.state;
    Platform& platform = services_.platform;
    const OutFreqArray& outFreq = state.program.prepareRun(state.calibration);

    // Exactly the name the generator is given, even when a file differing only in case exists.
    const QString runPath = state.AppPath + u'/' + state.generator.ProgramName + QStringLiteral(".run");
    const QByteArray bytes =
        runFileBytes(state.generator.FreqgenArgs, state.BuildTitle, state.program.table(), outFreq);
    if (auto written = writeWholeFile(runPath, bytes); !written) {
        platform.message(written.error() + QStringLiteral("\n\nThe generator was not started."));
        return;
    }
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
    const FreqgenCommand command =
        freqgenCommandLine(state.folder.programFolder(), state.generator.FreqgenArgs,
                           platform.findExecutable(QStringLiteral("x-terminal-emulator")));
    if (!platform.startProgram(command.program, command.arguments, state.AppPath))
        platform.message(QStringLiteral("Sono could not start %1.").arg(command.program));
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

} // namespace sono
