#include "gui/enhancements/EnhancementsPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "gui/enhancements/HarmoniserWindow.h"
#include "gui/enhancements/MeditationWindow.h"
#include "gui/enhancements/NukeWindow.h"
#include "gui/enhancements/OffsetBracketOctaveWindow.h"
#include "gui/enhancements/ReallyNukeWindow.h"
#include "gui/enhancements/SweepWindow.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace sono {

EnhancementsPanel::EnhancementsPanel(MainWindow& main) : main_(main) {
    auto* frame = new QGroupBox(QStringLiteral(" Enhancements "), this);
    frame->setObjectName(QStringLiteral("FrameEnhancements"));
    chooser_ = new QComboBox(frame);
    chooser_->setObjectName(QStringLiteral("Combo3"));
    chooser_->setAccessibleName(QStringLiteral("Enhancements"));
    chooser_->setPlaceholderText(QStringLiteral("Select Program"));
    summary_ = new QListWidget(frame);
    summary_->setObjectName(QStringLiteral("List2"));
    summary_->setAccessibleName(QStringLiteral("Enhancement summary"));
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(chooser_);
    inner->addWidget(summary_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    // activated, not currentIndexChanged: choosing the item already shown must still open or raise it.
    connect(chooser_, &QComboBox::activated, this, &EnhancementsPanel::choose);
}

void EnhancementsPanel::fillChooser() {
    chooser_->clear();
    chooser_->addItems({QStringLiteral("Sweep"), QStringLiteral("Harmonise"), QStringLiteral("Nuke'em"),
                        QStringLiteral("Really Nuke'em"), QStringLiteral("Off-sets Brackets Octaves"),
                        QStringLiteral("Chakra Charging : Meditation")});
    chooser_->setCurrentIndex(-1);
}

void EnhancementsPanel::choose(int position) {
    WindowRegistry& windows = main_.windows();
    const int steps = main_.state().program.StepCount;
    switch (position) {
    case 0:
        windows.open<SweepWindow>(QStringLiteral("Form13"), [this] { return new SweepWindow(main_); });
        break;
    case 1:
        if (steps < 5) {
            main_.platform().message(
                QStringLiteral("You need 5 or more Frequencies in the Program Table to use Harmonise!"));
            return;
        }
        windows.open<HarmoniserWindow>(QStringLiteral("Form17"),
                                       [this] { return new HarmoniserWindow(main_); });
        break;
    case 2:
        windows.open<NukeWindow>(QStringLiteral("Form14"), [this] { return new NukeWindow(main_); });
        break;
    case 3:
        windows.open<ReallyNukeWindow>(QStringLiteral("Form15"),
                                       [this] { return new ReallyNukeWindow(main_); });
        break;
    case 4:
        if (steps < 1) {
            main_.platform().message(
                QStringLiteral("Offset, Bracket & Octave enhancements require you have at "
                               "least 1 frequency in the Program Table."));
            return;
        }
        windows.open<OffsetBracketOctaveWindow>(QStringLiteral("Form16"),
                                                [this] { return new OffsetBracketOctaveWindow(main_); });
        break;
    case 5:
        windows.open<MeditationWindow>(QStringLiteral("Form19"),
                                       [this] { return new MeditationWindow(main_); });
        break;
    default:
        break;
    }
}

void EnhancementsPanel::showNewProgram(const QStringList& lines) {
    main_.fgArrayToTable();
    main_.fgProgramTime();
    ProgramGridPanel* grid = main_.programPanel();
    grid->setGridActive(true);
    grid->resetChangeBox(true);
    clearSummary();
    addSummary(lines);
}

void EnhancementsPanel::clearSummary() {
    summary_->clear();
}

void EnhancementsPanel::addSummary(const QStringList& lines) {
    summary_->addItems(lines);
}

} // namespace sono
