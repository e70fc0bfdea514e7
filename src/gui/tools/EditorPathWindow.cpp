#include "gui/tools/EditorPathWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/app/UnreadFiles.h"
#include "core/tools/EditorPath.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_EditorPathWindow.h"

namespace sono {

EditorPathWindow::EditorPathWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::EditorPathWindow>()) {
    ui_->setupUi(this);
    ui_->Text1->setText(services.state.EditorPath);
    ui_->Label2->setText(QStringLiteral("Default = ") + DefaultEditorPath);
    connect(ui_->Command1, &QPushButton::clicked, this, &EditorPathWindow::saveAndExit);
    connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);
    adjustSize();
    placeCentred(this, services.platform, 150);
}

EditorPathWindow::~EditorPathWindow() = default;

void EditorPathWindow::saveAndExit() {
    AppState& state = services_.state;
    const QString settingsPath = state.filePath(QStringLiteral("sono.ini"));
    if (editorPathFromTyped(ui_->Text1->text()) && !keepUnreadFile(state, services_.platform, settingsPath))
        return;
    auto saved = saveEditorPath(ui_->Text1->text(), state.ClearBufferFirst, settingsPath);
    if (!saved) {
        services_.platform.message(saved.error());
        return; // the window stays open so the path can be corrected
    }
    state.EditorPath = *saved;
    accept();
}

} // namespace sono
