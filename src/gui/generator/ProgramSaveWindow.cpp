#include "gui/generator/ProgramSaveWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/UnreadFiles.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/generator/ProgramFile.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include "ui_ProgramSaveWindow.h"

namespace sono {

ProgramSaveWindow::ProgramSaveWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::ProgramSaveWindow>()) {
    ui_->setupUi(this);
    connect(ui_->List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ui_->Text1->setText(item->text()); });
    connect(ui_->Command1_0, &QPushButton::clicked, this, &ProgramSaveWindow::save);
    fillList(ProgramTable::MaxSteps + 1);
    placeCentred(this, services_.platform, 150);
}

ProgramSaveWindow::~ProgramSaveWindow() = default;

void ProgramSaveWindow::fillList(int limit) {
    ui_->List1->clear();
    ui_->List1->addItems(savedProgramNames(services_.state.AppPath, limit));
}

void ProgramSaveWindow::save() {
    if (ui_->Text1->text().isEmpty()) return;
    const auto name = validateProgramName(ui_->Text1->text());
    if (!name) {
        services_.platform.message(name.error());
        return;
    }
    AppState& state = services_.state;
    // The grid may have been edited since the window opened; it is what the user sees.
    state.program.takeFromGrid();
    const QString path = state.filePath(*name + QStringLiteral(".prg"));
    if (!keepUnreadFile(state, services_.platform, path)) return;
    if (auto written =
            writeWholeFile(path, programFileBytes(programFromState(state.generator, state.program.table())));
        !written) {
        services_.platform.message(written.error());
        return;
    }
    fillList(-1);
    emit services_.requests.programNamed(*name);
}

} // namespace sono
