#include "gui/enhancements/NukeWindow.h"

#include "core/app/AppState.h"
#include "gui/shell/Services.h"
#include "ui_NukeWindow.h"

namespace sono {

NukeWindow::NukeWindow(Services& services) : EnhancementWindow(services) {
    Ui::NukeWindow ui;
    ui.setupUi(this);
    target_ = ui.Text1;
    // OK is the default button, so Enter in the box generates too.
    connect(ui.Command1, &QPushButton::clicked, this, &NukeWindow::generate);
    finishOpening(true);
}

void NukeWindow::generate() {
    AppState& state = services_.state;
    const Generated result = state.program.generate(
        [&](ProgramTable& table) { return makeNuke(table, state.enhancementMemory, target_->text()); });
    if (report(result, true)) close();
}

} // namespace sono
