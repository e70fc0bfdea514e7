#include "generator/FrequencyManagerPanel.h"

#include "app/AppState.h"
#include "generator/ProgramFile.h"
#include "ui/MainWindow.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace sono {

FrequencyManagerPanel::FrequencyManagerPanel(MainWindow& main) : main_(main) {
    args_ = new QLineEdit(this);
    args_->setObjectName(QStringLiteral("Text9"));
    args_->setAccessibleName(QStringLiteral("Freqgen options"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(args_);
}

void FrequencyManagerPanel::selectStartupOptions() {}

void FrequencyManagerPanel::applyProgram(const ProgramFileData& program, bool startup) {
    AppState& state = main_.state();
    GeneratorSettings& g = state.generator;
    const ProgramHeader& h = program.header;
    g.VolLeft = h.VolLeft;
    g.VolRight = h.VolRight;
    g.LeftOn = h.LeftOn;
    g.RightOn = h.RightOn;
    g.ExtendedHardware = h.ExtendedHardware;
    g.WaveType = h.WaveType;
    g.Phase = h.Phase;
    g.Gating = h.Gating;
    g.SortMode = h.SortMode;
    g.LeftEqualsRight = h.LeftEqualsRight;
    g.RecordSession = h.RecordSession;
    if (startup && program.steps.empty()) return;
    ProgramTable& table = state.program;
    table.StepCount = static_cast<qint16>(program.steps.size());
    for (size_t i = 0; i < program.steps.size(); ++i) {
        table.StepNo[i + 1] = program.steps[i].no;
        table.StepFreq[i + 1] = program.steps[i].freq;
        table.StepTime[i + 1] = program.steps[i].time;
    }
}

void FrequencyManagerPanel::fgDataBuild() {}

void FrequencyManagerPanel::fgDrawWave() {}

} // namespace sono
