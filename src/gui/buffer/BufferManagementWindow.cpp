#include "gui/buffer/BufferManagementWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/app/UnreadFiles.h"
#include "core/buffer/BufferOperations.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/Services.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sono {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* labelFor(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

BufferManagementWindow::BufferManagementWindow(Services& services) : services_(services) {
    setWindowTitle(QStringLiteral("Sono - Buffer Management"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    comments_ = new QPlainTextEdit(this);
    comments_->setObjectName(QStringLiteral("Text1"));
    frequencies_ = new QPlainTextEdit(this);
    frequencies_->setObjectName(QStringLiteral("Text2"));
    for (QPlainTextEdit* box : {comments_, frequencies_}) {
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setReadOnly(true);
    }
    cap_ = new QLineEdit(this);
    cap_->setObjectName(QStringLiteral("Text3"));
    cap_->setMaximumWidth(90);
    clearFirst_ =
        new QCheckBox(QStringLiteral("Clear buffer prior to it receiving a new frequency set."), this);
    clearFirst_->setObjectName(QStringLiteral("Check1"));
    auto* preview = makeButton(this, "Command2", QStringLiteral("Print Preview"));
    delete_ = makeButton(this, "Command4", QStringLiteral("Delete"));
    delete_->setEnabled(false);
    auto* clear = makeButton(this, "Command7", QStringLiteral("Clear Buffer"));
    auto* exit = makeButton(this, "Command1", QStringLiteral("Exit"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(labelFor(this, QStringLiteral("Description"), list_), 0, 0);
    layout->addWidget(list_, 1, 0, 3, 1);
    layout->addWidget(labelFor(this, QStringLiteral("Comments"), comments_), 0, 1);
    layout->addWidget(comments_, 1, 1);
    layout->addWidget(labelFor(this, QStringLiteral("Frequencies"), frequencies_), 2, 1);
    layout->addWidget(frequencies_, 3, 1);
    auto* capRow = new QHBoxLayout;
    capRow->addWidget(labelFor(this, QStringLiteral("Cap value in kHz"), cap_));
    capRow->addWidget(cap_);
    capRow->addStretch(1);
    layout->addLayout(capRow, 4, 0);
    layout->addWidget(clearFirst_, 4, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {preview, delete_, clear, exit})
        buttons->addWidget(b);
    layout->addLayout(buttons, 5, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    resize(640, 400);

    // Selection, not the current row: a list taking the focus makes its first row current unasked.
    connect(list_, &QListWidget::itemSelectionChanged, this, &BufferManagementWindow::showSelectedLine);
    connect(clearFirst_, &QCheckBox::clicked, this, &BufferManagementWindow::clearFirstClicked);
    connect(preview, &QPushButton::clicked, this, &BufferManagementWindow::printPreview);
    connect(delete_, &QPushButton::clicked, this, &BufferManagementWindow::deleteSelected);
    connect(clear, &QPushButton::clicked, this, &BufferManagementWindow::clearBuffer);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    fillList();
    clearFirst_->setChecked(services_.state.ClearBufferFirst == 1);
}

void BufferManagementWindow::fillList() {
    const FrequencyBuffer& buffer = services_.state.buffer;
    const QSignalBlocker blocker(list_);
    list_->clear();
    entryOfLine_.clear();
    for (int e = 1; e < buffer.BufferNext; ++e) {
        const QString& description = buffer.entries[static_cast<size_t>(e)].Description;
        if (description.isEmpty()) continue;
        list_->addItem(description);
        entryOfLine_.push_back(e);
    }
    list_->setCurrentRow(-1);
}

int BufferManagementWindow::selectedLine() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->row(selected.first());
}

void BufferManagementWindow::showSelectedLine() {
    const int position = selectedLine();
    if (position < 0 || position >= static_cast<int>(entryOfLine_.size())) {
        comments_->clear();
        frequencies_->clear();
        delete_->setEnabled(false);
        return;
    }
    FrequencyBuffer& buffer = services_.state.buffer;
    buffer.BufferSelected = static_cast<qint16>(entryOfLine_[static_cast<size_t>(position)]);
    const BufferEntry& entry = buffer.entries[static_cast<size_t>(buffer.BufferSelected)];
    comments_->setPlainText(entry.Comments);
    frequencies_->setPlainText(entry.FrequencyText);
    delete_->setEnabled(true);
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
    comments_->clear();
    frequencies_->clear();
    delete_->setEnabled(false);
}

void BufferManagementWindow::clearBuffer() {
    clearTheBuffer(services_.state.buffer);
    fillList();
    comments_->clear();
    frequencies_->clear();
    delete_->setEnabled(false);
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
        const QSignalBlocker blocker(clearFirst_);
        clearFirst_->setChecked(state.ClearBufferFirst == 1);
        return;
    }
    state.ClearBufferFirst = wanted;
}

void BufferManagementWindow::printPreview() {
    AppState& state = services_.state;
    const QByteArray report = bufferReport(state.buffer, cap_->text(), state.BuildTitle, state.now());
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
