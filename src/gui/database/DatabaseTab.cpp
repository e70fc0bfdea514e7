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
#include "gui/shell/BackgroundWork.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_DatabaseTab.h"

#include <QEvent>

namespace sono {

DatabaseTab::DatabaseTab(Services& services) : services_(services), ui_(std::make_unique<Ui::DatabaseTab>()) {
    ui_->setupUi(this);
    ui_->Text1->installEventFilter(this);
    columns_ = {ui_->Check1_0, ui_->Check1_1, ui_->Check1_2};
    lines_ = new ResultsModel(services_.state.database, this);
    ui_->List1->setModel(lines_);

    connect(ui_->Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(ui_->Text1, &QLineEdit::returnPressed, this, [this] { Command1_Click(); });
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
    connect(ui_->List1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QModelIndexList selected = ui_->List1->selectionModel()->selectedRows();
        if (selected.isEmpty())
            setRecordButtonsEnabled(false);
        else
            selectLine(selected.first().row());
    });
    // A click on the line that is already current still selects it (the buttons may be disabled).
    connect(ui_->List1, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (ui_->List1->selectionModel()->isSelected(index)) selectLine(index.row());
    });
    connect(ui_->Command5, &QPushButton::clicked, this, [this] { openEditor(1); });
    connect(ui_->Command6, &QPushButton::clicked, this, [this] { openEditor(2); });
    connect(ui_->Command7, &QPushButton::clicked, this, &DatabaseTab::deleteRecord);
    connect(ui_->Command3, &QPushButton::clicked, this, &DatabaseTab::sendToBuffer);
    connect(ui_->Command4, &QPushButton::clicked, this, &DatabaseTab::viewBuffer);
}

DatabaseTab::~DatabaseTab() = default;

bool DatabaseTab::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->Text1 && event->type() == QEvent::Enter) ui_->Text1->setFocus(Qt::MouseFocusReason);
    return QWidget::eventFilter(watched, event);
}

void DatabaseTab::resetSearchOptions() {
    columns_[0]->setChecked(true);
}

void DatabaseTab::setRecordButtonsEnabled(bool enabled) {
    ui_->Command3->setEnabled(enabled);
    ui_->Command6->setEnabled(enabled);
    ui_->Command7->setEnabled(enabled);
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
    ui_->Label2_0->setText(resultsCaption(*found));
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
    if (ticked[0] || ticked[1] || ticked[2]) state.SearchText = ui_->Text1->text();
    auto query = findQuery(ui_->Text1->text(), ticked[0], ticked[1], ticked[2]);
    if (!query) {
        services_.platform.message(query.error().text, query.error().title);
        return false;
    }
    return fillList(*query);
}

void DatabaseTab::selectLine(int k) {
    FrequencyStore& store = services_.state.database;
    if (k < 0 || k >= lines_->rowCount() || k >= store.count()) return;
    ui_->Label2_2->setText(lines_->data(lines_->index(k)).toString());
    store.moveTo(k);
    const FrequencyRecord* record = store.current();
    if (!record) { // removed by another program since the search
        setRecordButtonsEnabled(false);
        return;
    }
    ui_->Text2->setPlainText(commentsText(*record));
    services_.state.RecordFreqText = recordFreqText(*record);
    ui_->Text3->setPlainText(services_.state.RecordFreqText);
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
    services_.windows.open<RecordEditorWindow>(
        QStringLiteral("Form2"), [this] { return new RecordEditorWindow(services_); }, nullptr,
        WindowRegistry::Blocks::Owner);
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
    services_.windows.open<BufferManagementWindow>(
        QStringLiteral("Form3"),
        [&] {
            auto* window = new BufferManagementWindow(services_);
            placeCentred(window, services_.platform, 200);
            return window;
        },
        nullptr, WindowRegistry::Blocks::Owner);
}

void DatabaseTab::repairAndCompactDatabase() {
    AppState& state = services_.state;
    if (services_.work.busy()) return;
    lines_->clear();
    listQuery_.reset();
    ui_->Text1->clear();
    ui_->Text2->clear();
    ui_->Text3->clear();
    setRecordButtonsEnabled(false);
    // The repair has the store to itself: the list no longer reads it, and the progress window keeps
    // the main window's searches away until the repair is done.
    FrequencyStore* store = &state.database;
    const QString databasePath = state.DatabasePath;
    const QString copyPath = state.filePath(QStringLiteral("newFreq.mdb"));
    auto repaired = std::make_shared<std::expected<void, QString>>();
    services_.work.start(
        services_.mainWindow, QStringLiteral("Repair and Compact Database"),
        [=](BackgroundWork::Progress& progress) {
            RepairSteps steps;
            steps.cancelled = [&progress] { return progress.cancelled(); };
            steps.stage = [&progress](const QString& stage) { progress.say(stage); };
            *repaired = repairAndCompact(*store, databasePath, copyPath, steps);
        },
        [this, repaired](bool) { repairDone(*repaired); });
}

void DatabaseTab::repairDone(const std::expected<void, QString>& repaired) {
    services_.state.CurrentQuery = SearchQuery::all().sqlText();
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
