#include "gui/program/InsertFrequencyWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/program/ProgramEditing.h"
#include "gui/program/ApplyReportWindow.h"
#include "gui/shell/Services.h"

#include "ui_InsertFrequencyWindow.h"

namespace sono {

InsertFrequencyWindow::InsertFrequencyWindow(Services& services, int position)
    : services_(services), position_(position), ui_(std::make_unique<Ui::InsertFrequencyWindow>()) {
    ui_->setupUi(this);
    const std::vector<GridRowText>& rows = services_.state.program.cells();
    if (rows.empty()) {
        ui_->Label1->setText(QStringLiteral("New Program."));
        ui_->Option1_0->setEnabled(false);
        ui_->Option1_1->setEnabled(false);
    } else {
        position_ = std::clamp(position_, 1, static_cast<int>(rows.size()));
        ui_->Label1->setText(rows[static_cast<size_t>(position_ - 1)][1] + QStringLiteral(" Hz"));
    }
    placeBesideMainWindow(this, services_);
}

InsertFrequencyWindow::~InsertFrequencyWindow() = default;

void InsertFrequencyWindow::accept() {
    if (auto inserted = services_.state.program.insert(position_, ui_->Option1_1->isChecked(),
                                                       ui_->Text1->text(), ui_->Text2->text());
        !inserted) {
        services_.platform.message(inserted.error());
        return;
    }
    QDialog::accept();
}

} // namespace sono
