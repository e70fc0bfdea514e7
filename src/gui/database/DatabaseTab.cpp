#include "gui/database/DatabaseTab.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/buffer/BufferOperations.h"
#include "core/database/RecordText.h"
#include "core/database/Repair.h"
#include "core/database/ResultsModel.h"
#include "core/database/Search.h"
#include "gui/buffer/BufferManagementWindow.h"
#include "gui/database/RecordEditorWindow.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sono {

namespace {

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QPlainTextEdit* displayBox(QWidget* parent, const char* name, const char* accessibleName) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(QString::fromLatin1(accessibleName));
    box->setReadOnly(true);
    return box;
}

} // namespace

DatabaseTab::DatabaseTab(Services& services) : services_(services) {
    setObjectName(QStringLiteral("DatabaseTab"));

    auto* searchFrame = new QGroupBox(QStringLiteral("Search"), this);
    searchFrame->setObjectName(QStringLiteral("Frame1"));
    searchBox_ = new QLineEdit(searchFrame);
    searchBox_->setObjectName(QStringLiteral("Text1"));
    searchBox_->setAccessibleName(QStringLiteral("Search text"));
    searchBox_->installEventFilter(this);
    find_ = button(searchFrame, "Command1", "Find");
    const char* captions[3] = {"Description", "Comments", "Frequencies"};
    auto* searchLayout = new QGridLayout(searchFrame);
    searchLayout->addWidget(searchBox_, 0, 0, 1, 3);
    searchLayout->addWidget(find_, 0, 3);
    for (int i = 0; i < 3; ++i) {
        columns_[i] = new QCheckBox(QString::fromLatin1(captions[i]), searchFrame);
        columns_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        searchLayout->addWidget(columns_[i], 1, i);
    }

    resultsLabel_ = new QLabel(QStringLiteral("Results :"), this);
    resultsLabel_->setObjectName(QStringLiteral("Label2_0"));
    results_ = new QListView(this);
    lines_ = new ResultsModel(services_.state.database, this);
    results_->setModel(lines_);
    results_->setObjectName(QStringLiteral("List1"));
    results_->setAccessibleName(QStringLiteral("Results"));
    results_->setUniformItemSizes(true);
    results_->setSelectionMode(QAbstractItemView::SingleSelection);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultsLabel_->setBuddy(results_);

    descriptionLabel_ = new QLabel(QStringLiteral("Comments"), this);
    descriptionLabel_->setObjectName(QStringLiteral("Label2_2"));
    descriptionLabel_->setWordWrap(true);
    comments_ = displayBox(this, "Text2", "Comments");
    auto* frequenciesLabel = new QLabel(QStringLiteral("Frequencies"), this);
    frequenciesLabel->setObjectName(QStringLiteral("Label2_3"));
    frequencies_ = displayBox(this, "Text3", "Frequencies");
    frequenciesLabel->setBuddy(frequencies_);

    sendToBuffer_ = button(this, "Command3", "Send to Buffer");
    viewBuffer_ = button(this, "Command4", "View Buffer");
    newRecord_ = button(this, "Command5", "New");
    editRecord_ = button(this, "Command6", "Edit");
    deleteRecord_ = button(this, "Command7", "Delete");

    auto* left = new QVBoxLayout;
    left->addWidget(searchFrame);
    left->addWidget(resultsLabel_);
    left->addWidget(results_, 1);
    auto* bufferButtons = new QHBoxLayout;
    bufferButtons->addWidget(sendToBuffer_);
    bufferButtons->addWidget(viewBuffer_);
    bufferButtons->addStretch(1);
    auto* recordButtons = new QHBoxLayout;
    recordButtons->addWidget(newRecord_);
    recordButtons->addWidget(editRecord_);
    recordButtons->addWidget(deleteRecord_);
    recordButtons->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(descriptionLabel_);
    right->addWidget(comments_, 3);
    right->addWidget(frequenciesLabel);
    right->addWidget(frequencies_, 2);
    right->addLayout(bufferButtons);
    right->addLayout(recordButtons);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 2);
    layout->addLayout(right, 3);

    setRecordButtonsEnabled(false);

    connect(find_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
    // Only a click keeps "Frequencies" apart: unticking from here emits no clicked().
    for (int i = 0; i < 3; ++i) {
        connect(columns_[i], &QCheckBox::clicked, this, [this, i] {
            if (i == 2) {
                columns_[0]->setChecked(false);
                columns_[1]->setChecked(false);
            } else {
                columns_[2]->setChecked(false);
            }
        });
    }
    // A set is shown only for a line that is visibly selected: Tab into the list makes line 0 current
    // without selecting it, and that must not arm Send to Buffer, Edit or Delete.
    connect(results_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = results_->selectionModel()->selectedRows();
        if (selected.isEmpty())
            setRecordButtonsEnabled(false);
        else
            selectLine(selected.first().row());
    });
    // A click on the line that is already current still selects it (the buttons may be disabled).
    connect(results_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (results_->selectionModel()->isSelected(index)) selectLine(index.row());
    });
    connect(newRecord_, &QPushButton::clicked, this, [this] { openEditor(1); });
    connect(editRecord_, &QPushButton::clicked, this, [this] { openEditor(2); });
    connect(deleteRecord_, &QPushButton::clicked, this, &DatabaseTab::deleteRecord);
    connect(sendToBuffer_, &QPushButton::clicked, this, &DatabaseTab::sendToBuffer);
    connect(viewBuffer_, &QPushButton::clicked, this, &DatabaseTab::viewBuffer);
}

bool DatabaseTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchBox_ && event->type() == QEvent::Enter) searchBox_->setFocus(Qt::MouseFocusReason);
    return QWidget::eventFilter(watched, event);
}

void DatabaseTab::resetSearchOptions() {
    columns_[0]->setChecked(true);
}

void DatabaseTab::setRecordButtonsEnabled(bool enabled) {
    sendToBuffer_->setEnabled(enabled);
    editRecord_->setEnabled(enabled);
    deleteRecord_->setEnabled(enabled);
}

bool DatabaseTab::fillList(const SearchQuery& query) {
    AppState& state = services_.state;
    auto found = runSearch(state, query);
    if (!found) {
        services_.platform.message(found.error(), QStringLiteral("Database ERROR"));
        return false;
    }
    setRecordButtonsEnabled(false);
    lines_->showRecordSet();
    resultsLabel_->setText(resultsCaption(*found));
    listQuery_ = query;
    return true;
}

void DatabaseTab::FrontCharSearch() {
    AppState& state = services_.state;
    state.LetterSearchFlag = 1;
    fillList(SearchQuery::letter(state.SearchText));
}

bool DatabaseTab::Command1_Click() {
    AppState& state = services_.state;
    state.LetterSearchFlag = 0;
    const bool ticked[3] = {columns_[0]->isChecked(), columns_[1]->isChecked(), columns_[2]->isChecked()};
    if (ticked[0] || ticked[1] || ticked[2]) state.SearchText = searchBox_->text();
    auto query = findQuery(searchBox_->text(), ticked[0], ticked[1], ticked[2]);
    if (!query) {
        services_.platform.message(query.error().text, query.error().title);
        return false;
    }
    return fillList(*query);
}

void DatabaseTab::selectLine(int k) {
    FrequencyStore& store = services_.state.database;
    if (k < 0 || k >= lines_->rowCount() || k >= store.count()) return;
    descriptionLabel_->setText(lines_->data(lines_->index(k)).toString());
    store.moveTo(k);
    const FrequencyRecord* record = store.current();
    if (!record) { // removed by another program since the search
        setRecordButtonsEnabled(false);
        return;
    }
    comments_->setPlainText(commentsText(*record));
    services_.state.RecordFreqText = recordFreqText(*record);
    frequencies_->setPlainText(services_.state.RecordFreqText);
    setRecordButtonsEnabled(true);
}

void DatabaseTab::refreshAfterChange() {
    if (services_.state.LetterSearchFlag == 1) {
        FrontCharSearch();
    } else if (!Command1_Click() && listQuery_) {
        // The Find was refused, but the lines on show must not list a deleted or stale record.
        fillList(*listQuery_);
    }
    setRecordButtonsEnabled(false);
}

void DatabaseTab::openEditor(qint16 mode) {
    AppState& state = services_.state;
    if (mode == 2 && !state.database.current()) return;
    state.EditorMode = mode;
    bool opened = false;
    QWidget* editor = services_.windows.open<RecordEditorWindow>(
        QStringLiteral("Form2"), [this] { return new RecordEditorWindow(services_); }, &opened);
    if (opened) disableWhileOpen(services_.mainWindow, editor);
}

void DatabaseTab::deleteRecord() {
    FrequencyStore& store = services_.state.database;
    if (!store.current()) return;
    if (services_.platform.message(QStringLiteral("You are about to permanently DELETE the select record !"),
                                   QStringLiteral("Delete A Record"),
                                   MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    if (auto deleted = store.deleteCurrent(); !deleted) {
        services_.platform.message(QStringLiteral("The record was not deleted: ") + deleted.error(),
                                   QStringLiteral("Database ERROR"));
        return;
    }
    refreshAfterChange();
}

void DatabaseTab::sendToBuffer() {
    AppState& state = services_.state;
    const FrequencyRecord* record = state.database.current();
    if (!record) return;
    if (auto sent =
            sono::sendToBuffer(state.buffer, *record, state.RecordFreqText, state.ClearBufferFirst == 1);
        !sent) {
        services_.platform.message(sent.error());
        return;
    }
    services_.platform.beep();
}

void DatabaseTab::viewBuffer() {
    bool opened = false;
    QWidget* window = services_.windows.open<BufferManagementWindow>(
        QStringLiteral("Form3"), [&] { return new BufferManagementWindow(services_); }, &opened);
    if (opened) {
        placeCentred(window, services_.platform, 200);
        disableWhileOpen(services_.mainWindow, window);
    }
}

void DatabaseTab::repairAndCompactDatabase() {
    AppState& state = services_.state;
    lines_->clear();
    listQuery_.reset();
    searchBox_->clear();
    comments_->clear();
    frequencies_->clear();
    setRecordButtonsEnabled(false);
    auto repaired =
        repairAndCompact(state.database, state.DatabasePath, state.filePath(QStringLiteral("newFreq.mdb")));
    state.CurrentQuery = SearchQuery::all().sqlText();
    if (repaired) {
        services_.platform.message(RepairedText + QStringLiteral("\n\n") + RepairBackupText,
                                   QStringLiteral("Good News !"));
    } else {
        services_.platform.message(QStringLiteral("The database was not repaired and compacted:\n") +
                                       repaired.error() + QStringLiteral("\n\nfreqs.mdb was left as it was."),
                                   QStringLiteral("Repair and Compact Database"));
    }
}

} // namespace sono
