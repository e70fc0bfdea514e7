#include "gui/shell/NotesTab.h"

#include "core/app/AppState.h"
#include "core/app/LogAndNotes.h"
#include "core/app/Platform.h"
#include "core/app/UnreadFiles.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/Services.h"
#include "ui_NotesTab.h"

#include <QFile>

namespace sono {

NotesTab::NotesTab(Services& services) : services_(services), ui_(std::make_unique<Ui::NotesTab>()) {
    ui_->setupUi(this);
    connect(ui_->Text4, &QPlainTextEdit::textChanged, ui_->Command2,
            [this] { ui_->Command2->setEnabled(true); });
    connect(ui_->Command2, &QPushButton::clicked, this, &NotesTab::saveNotes);
}

NotesTab::~NotesTab() = default;

void NotesTab::showNotes(const QString& notes) {
    ui_->Text4->setPlainText(notes);
    savedText_ = ui_->Text4->toPlainText();
    ui_->Command2->setEnabled(false);
}

bool NotesTab::hasUnsavedNotes() const {
    return ui_->Text4->toPlainText() != savedText_;
}

bool NotesTab::saveNotes() {
    AppState& state = services_.state;
    const QString boxText = ui_->Text4->toPlainText();
    const QString text = boxText.isEmpty() ? EmptyNotesText : boxText;
    const QString path = state.filePath(QStringLiteral("SonoNote.txt"));
    const EncodedText file = notesFileBytes(text, state.NotesEncoding);
    if (!keepUnreadFile(state, services_.platform, path)) return false;
    if (auto written = writeWholeFile(path, file.bytes); !written) {
        // Save stays enabled: the edits are not yet kept anywhere.
        services_.platform.message(written.error());
        return false;
    }
    state.NotesText = text;
    state.NotesEncoding = file.encoding;
    savedText_ = boxText;
    ui_->Command2->setEnabled(false);
    return true;
}

void NotesTab::LogDisplay() {
    AppState& state = services_.state;
    ui_->Text8->clear();
    const QString path = state.filePath(QStringLiteral("sono.log"));
    LogContents contents;
    if (QFile::exists(path)) {
        if (auto bytes = readWholeFile(path)) contents = parseLog(*bytes);
    }
    state.LogCount = contents.count;
    state.LogWhen = contents.when;
    state.LogWhat = contents.what;
    ui_->Label20_0->setText(logCaption(contents.count));
    ui_->Text8->setPlainText(logPaneText(contents));
}

} // namespace sono
