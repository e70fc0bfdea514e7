#include "gui/enhancements/SweepWindow.h"

#include "core/app/AppState.h"
#include "gui/shell/Services.h"
#include "ui_SweepWindow.h"

namespace sono {

SweepWindow::SweepWindow(Services& services) : EnhancementWindow(services) {
    Ui::SweepWindow ui;
    ui.setupUi(this);
    start_ = ui.Text1;
    stop_ = ui.Text2;
    step_ = ui.Text3;
    time_ = ui.Text4;
    connect(ui.Command2, &QPushButton::clicked, this, &SweepWindow::generate);
    connect(ui.Command3, &QPushButton::clicked, this, &SweepWindow::clearTable);
    finishOpening(true);
}

void SweepWindow::generate() {
    report(services_.state.program.generate([this](ProgramTable& table) {
        return makeSweep(table, start_->text(), stop_->text(), step_->text(), time_->text());
    }),
           true);
}

void SweepWindow::clearTable() {
    services_.state.program.clear();
}

} // namespace sono
