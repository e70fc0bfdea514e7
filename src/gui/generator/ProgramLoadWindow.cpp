#include "gui/generator/ProgramLoadWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/generator/ProgramFile.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include "ui_ProgramLoadWindow.h"

namespace sono {

ProgramLoadWindow::ProgramLoadWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::ProgramLoadWindow>()) {
    ui_->setupUi(this);
    ui_->List1->addItems(savedProgramNames(services_.state.AppPath, 2001));
    // Selection, not the current row: a list taking the focus makes its first row current unasked.
    connect(ui_->List1, &QListWidget::itemSelectionChanged, this, [this] {
        const QListWidgetItem* item = selectedItem();
        ui_->Label2->setText(item ? QStringLiteral("Selected file : ") + item->text()
                                  : QStringLiteral("Select a file"));
        ui_->Command1_0->setEnabled(item != nullptr);
    });
    connect(ui_->Command1_0, &QPushButton::clicked, this, &ProgramLoadWindow::load);
    placeCentred(this, services_.platform, 150);
}

ProgramLoadWindow::~ProgramLoadWindow() = default;

QListWidgetItem* ProgramLoadWindow::selectedItem() const {
    const QList<QListWidgetItem*> selected = ui_->List1->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void ProgramLoadWindow::load() {
    const QListWidgetItem* item = selectedItem();
    if (!item) return;
    const auto name = validateProgramName(item->text());
    if (!name) {
        services_.platform.message(name.error() + QStringLiteral(" Rename the file to load it."));
        return;
    }
    AppState& state = services_.state;
    const QString path = state.filePath(*name + QStringLiteral(".prg"));
    const auto bytes = readWholeFile(path);
    const auto program = bytes ? parseProgramFile(*bytes, path) : std::unexpected(bytes.error());
    if (!program) {
        services_.platform.message(program.error() + QStringLiteral("\n\nNothing was loaded."));
        return;
    }
    state.generator.ProgramName = *name;
    emit services_.requests.programLoaded(*program, *name);
}

} // namespace sono
