#include "gui/enhancements/ReallyNukeWindow.h"

#include "core/app/AppState.h"
#include "gui/shell/Services.h"
#include "ui_ReallyNukeWindow.h"

namespace sono {

ReallyNukeWindow::ReallyNukeWindow(Services& services) : EnhancementWindow(services) {
    Ui::ReallyNukeWindow ui;
    ui.setupUi(this);
    QFont heading = ui.Label1->font(); // bold in the form; larger than whatever the desktop's font is
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    ui.Label1->setFont(heading);
    target_ = ui.Text1;
    // Execute is the default button, so Enter in the box generates too.
    connect(ui.Command2, &QPushButton::clicked, this, &ReallyNukeWindow::generate);
    finishOpening(true);
}

void ReallyNukeWindow::generate() {
    AppState& state = services_.state;
    const Generated result = state.program.generate(
        [&](ProgramTable& table) { return makeReallyNuke(table, state.enhancementMemory, target_->text()); });
    if (report(result, true)) close();
}

} // namespace sono
