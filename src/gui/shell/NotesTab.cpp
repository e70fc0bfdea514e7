#include "gui/shell/NotesTab.h"

#include "core/app/AppState.h"
#include "core/app/LogAndNotes.h"
#include "core/app/Platform.h"
#include "core/app/UnreadFiles.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/Services.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace sono {

NotesTab::NotesTab(Services& services) : services_(services) {
    notesLabel_ = new QLabel(QStringLiteral("Notes"), this);
    notesLabel_->setObjectName(QStringLiteral("Label20_1"));
    notes_ = new QPlainTextEdit(this);
    notes_->setObjectName(QStringLiteral("Text4"));
    notesLabel_->setBuddy(notes_);
    notes_->setAccessibleName(QStringLiteral("Notes"));
    save_ = new QPushButton(QStringLiteral("Save"), this);
    save_->setObjectName(QStringLiteral("Command2"));
    save_->setAccessibleName(QStringLiteral("Save notes"));
    save_->setEnabled(false);
    logLabel_ = new QLabel(QStringLiteral("Log"), this);
    logLabel_->setObjectName(QStringLiteral("Label20_0"));
    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("Text8"));
    log_->setReadOnly(true);
    log_->setAccessibleName(QStringLiteral("Log"));
    logLabel_->setBuddy(log_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(notesLabel_, 0, 0);
    layout->addWidget(notes_, 1, 0);
    layout->addWidget(save_, 2, 0, Qt::AlignLeft);
    layout->addWidget(logLabel_, 0, 1);
    layout->addWidget(log_, 1, 1, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    connect(notes_, &QPlainTextEdit::textChanged, save_, [this] { save_->setEnabled(true); });
    connect(save_, &QPushButton::clicked, this, &NotesTab::saveNotes);
}

void NotesTab::showNotes(const QString& notes) {
    notes_->setPlainText(notes);
    savedText_ = notes_->toPlainText();
    save_->setEnabled(false);
}

bool NotesTab::hasUnsavedNotes() const {
    return notes_->toPlainText() != savedText_;
}

bool NotesTab::saveNotes() {
    AppState& state = services_.state;
    const QString boxText = notes_->toPlainText();
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
    save_->setEnabled(false);
    return true;
}

void NotesTab::LogDisplay() {
    AppState& state = services_.state;
    log_->clear();
    const QString path = state.filePath(QStringLiteral("sono.log"));
    LogContents contents;
    if (QFile::exists(path)) {
        if (auto bytes = readWholeFile(path)) contents = parseLog(*bytes);
    }
    state.LogCount = contents.count;
    state.LogWhen = contents.when;
    state.LogWhat = contents.what;
    logLabel_->setText(logCaption(contents.count));
    log_->setPlainText(logPaneText(contents));
}

} // namespace sono
