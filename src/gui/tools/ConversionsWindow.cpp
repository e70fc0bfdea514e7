#include "gui/tools/ConversionsWindow.h"

#include "core/app/Platform.h"
#include "core/tools/Conversions.h"
#include "gui/shell/Services.h"
#include "ui_ConversionsWindow.h"

namespace sono {

ConversionsWindow::ConversionsWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::ConversionsWindow>()) {
    ui_->setupUi(this);
    connect(ui_->Command1_0, &QPushButton::clicked, this, &ConversionsWindow::calculate);
    connect(ui_->Command1_1, &QPushButton::clicked, this, &QDialog::reject);
    move(0, 0);
}

ConversionsWindow::~ConversionsWindow() = default;

void ConversionsWindow::calculate() {
    ui_->List1->clear();
    ui_->List2->clear();
    auto lists = convertOctaves(ui_->Text1->text(), ui_->Text2->text());
    if (!lists) {
        services_.platform.message(lists.error());
        return;
    }
    ui_->List1->addItems(lists->higher);
    ui_->List2->addItems(lists->lower);
    if (!lists->note.isEmpty()) services_.platform.message(lists->note);
}

} // namespace sono
