#include "gui/buffer/BufferManagementWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/app/UnreadFiles.h"
#include "core/buffer/BufferOperations.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/Services.h"
#include "ui_BufferManagementWindow.h"

#include <QSignalBlocker>

namespace sono {

BufferManagementWindow::BufferManagementWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::BufferManagementWindow>()) {
    ui_->setupUi(this);

    // Selection, not the current row: a list taking the focus makes its first row current unasked.
    connect(ui_->List1, &QListWidget::itemSelectionChanged, this, &BufferManagementWindow::showSelectedLine);
    connect(ui_->Check1, &QCheckBox::clicked, this, &BufferManagementWindow::clearFirstClicked);
    connect(ui_->Command2, &QPushButton::clicked, this, &BufferManagementWindow::printPreview);
    connect(ui_->Command4, &QPushButton::clicked, this, &BufferManagementWindow::deleteSelected);
    connect(ui_->Command7, &QPushButton::clicked, this, &BufferManagementWindow::clearBuffer);
    // Exit, Esc and the close box all leave the same way.
    connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::reject);

    fillList();
    ui_->Check1->setChecked(services_.state.ClearBufferFirst == 1);
}

BufferManagementWindow::~BufferManagementWindow() = default;

void BufferManagementWindow::fillList() {
    const FrequencyBuffer& buffer = services_.state.buffer;
    const QSignalBlocker blocker(ui_->List1);
    ui_->List1->clear();
    entryOfLine_.clear();
    for (int e = 1; e < buffer.BufferNext; ++e) {
        const QString& description = buffer.entries[static_cast<size_t>(e)].Description;
        if (description.isEmpty()) continue;
        ui_->List1->addItem(description);
        entryOfLine_.push_back(e);
    }
    ui_->List1->setCurrentRow(-1);
}

int BufferManagementWindow::selectedLine() const {
    const QList<QListWidgetItem*> selected = ui_->List1->selectedItems();
    return selected.isEmpty() ? -1 : ui_->List1->row(selected.first());
}

void BufferManagementWindow::showSelectedLine() {
    const int position = selectedLine();
    if (position < 0 || position >= static_cast<int>(entryOfLine_.size())) {
        ui_->Text1->clear();
        ui_->Text2->clear();
        ui_->Command4->setEnabled(false);
        return;
    }
    FrequencyBuffer& buffer = services_.state.buffer;
    buffer.BufferSelected = static_cast<qint16>(entryOfLine_[static_cast<size_t>(position)]);
    const BufferEntry& entry = buffer.entries[static_cast<size_t>(buffer.BufferSelected)];
    ui_->Text1->setPlainText(entry.Comments);
    ui_->Text2->setPlainText(entry.FrequencyText);
    ui_->Command4->setEnabled(true);
}

void BufferManagementWindow::deleteSelected() {
    const int position = selectedLine();
    if (position < 0 || position >= static_cast<int>(entryOfLine_.size())) return;
    FrequencyBuffer& buffer = services_.state.buffer;
    buffer.BufferSelected = static_cast<qint16>(entryOfLine_[static_cast<size_t>(position)]);
    if (auto deleted = deleteBufferEntry(buffer, buffer.BufferSelected); !deleted) {
        services_.platform.message(deleted.error());
        return;
    }
    fillList();
    ui_->Text1->clear();
    ui_->Text2->clear();
    ui_->Command4->setEnabled(false);
}

void BufferManagementWindow::clearBuffer() {
    clearTheBuffer(services_.state.buffer);
    fillList();
    ui_->Text1->clear();
    ui_->Text2->clear();
    ui_->Command4->setEnabled(false);
}

void BufferManagementWindow::clearFirstClicked(bool checked) {
    AppState& state = services_.state;
    const qint16 wanted = checked ? 1 : 0;
    const QString path = state.filePath(QStringLiteral("sono.ini"));
    bool saved = keepUnreadFile(state, services_.platform, path);
    if (saved) {
        if (auto written = writeWholeFile(path, settingsFileBytes(state.EditorPath, wanted)); !written) {
            services_.platform.message(written.error());
            saved = false;
        }
    }
    if (!saved) {
        const QSignalBlocker blocker(ui_->Check1);
        ui_->Check1->setChecked(state.ClearBufferFirst == 1);
        return;
    }
    state.ClearBufferFirst = wanted;
}

void BufferManagementWindow::printPreview() {
    AppState& state = services_.state;
    const QByteArray report = bufferReport(state.buffer, ui_->Text3->text(), state.BuildTitle, state.now());
    // The shown entry's text may have changed form.
    showSelectedLine();
    const QString path = state.filePath(QStringLiteral("freq.txt"));
    if (auto written = writeWholeFile(path, report); !written) {
        services_.platform.message(written.error());
        return;
    }
    const QString folder = state.AppPath.isEmpty() ? state.folder.path() : state.AppPath;
    if (!services_.platform.startProgram(state.EditorPath, {path}, folder))
        services_.platform.message(QStringLiteral("The editor %1 could not be started to show %2.\n\n"
                                                  "Set the editor in Tools, Set Editor Path.")
                                       .arg(state.EditorPath, path));
}

} // namespace sono
