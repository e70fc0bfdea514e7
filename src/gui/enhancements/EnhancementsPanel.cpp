#include "gui/enhancements/EnhancementsPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "gui/enhancements/HarmoniserWindow.h"
#include "gui/enhancements/MeditationWindow.h"
#include "gui/enhancements/NukeWindow.h"
#include "gui/enhancements/OffsetBracketOctaveWindow.h"
#include "gui/enhancements/ReallyNukeWindow.h"
#include "gui/enhancements/SweepWindow.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace sono {

EnhancementsPanel::EnhancementsPanel(Services& services) : services_(services) {
    auto* frame = new QGroupBox(QStringLiteral(" Enhancements "), this);
    frame->setObjectName(QStringLiteral("FrameEnhancements"));
    chooser_ = new QComboBox(frame);
    chooser_->setObjectName(QStringLiteral("Combo3"));
    chooser_->setAccessibleName(QStringLiteral("Enhancements"));
    chooser_->setPlaceholderText(QStringLiteral("Select Program"));
    summary_ = new QListWidget(frame);
    summary_->setObjectName(QStringLiteral("List2"));
    summary_->setAccessibleName(QStringLiteral("Enhancement summary"));
    // The FreqGen tab must still fit a 768-pixel-high screen; the list grows with the window.
    summary_->setMinimumHeight(summary_->fontMetrics().lineSpacing() * 3);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(chooser_);
    inner->addWidget(summary_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    // activated, not currentIndexChanged: choosing the item already shown must still open or raise it.
    connect(chooser_, &QComboBox::activated, this, &EnhancementsPanel::choose);
}

namespace {

// The chooser, in its order: caption, window, the steps the table must hold first and what the user is
// told otherwise, and how the window is built.
struct Enhancement {
    const char* caption;
    const char* form;
    int minimumSteps;
    const char* tooFewSteps;
    QWidget* (*make)(Services&);
};

template <class W> QWidget* build(Services& services) {
    return new W(services);
}

constexpr Enhancement Enhancements[] = {
    {"Sweep", "Form13", 0, nullptr, build<SweepWindow>},
    {"Harmonise", "Form17", 5, "You need 5 or more Frequencies in the Program Table to use Harmonise!",
     build<HarmoniserWindow>},
    {"Nuke'em", "Form14", 0, nullptr, build<NukeWindow>},
    {"Really Nuke'em", "Form15", 0, nullptr, build<ReallyNukeWindow>},
    {"Off-sets Brackets Octaves", "Form16", 1,
     "Offset, Bracket & Octave enhancements require you have at least 1 frequency in the Program Table.",
     build<OffsetBracketOctaveWindow>},
    {"Chakra Charging : Meditation", "Form19", 0, nullptr, build<MeditationWindow>},
};

} // namespace

void EnhancementsPanel::fillChooser() {
    chooser_->clear();
    for (const Enhancement& e : Enhancements)
        chooser_->addItem(QString::fromUtf8(e.caption));
    chooser_->setCurrentIndex(-1);
}

void EnhancementsPanel::choose(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(Enhancements))) return;
    const Enhancement& e = Enhancements[position];
    if (services_.state.program.stepCount() < e.minimumSteps) {
        services_.platform.message(QString::fromUtf8(e.tooFewSteps));
        return;
    }
    services_.windows.open(QString::fromLatin1(e.form), [&] { return e.make(services_); });
}

void EnhancementsPanel::clearSummary() {
    summary_->clear();
}

void EnhancementsPanel::addSummary(const QStringList& lines) {
    summary_->addItems(lines);
}

} // namespace sono
