#pragma once

#include "core/database/FrequencyStore.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace sono {

struct Services;
class ResultsModel;

// The "Database" tab: search, result list, record display and the record buttons.
class DatabaseTab : public QWidget {
    Q_OBJECT
public:
    explicit DatabaseTab(Services& services);

    // Start-up state of the search options: "Description" ticked.
    void resetSearchOptions();

    // Letter search on SearchText.
    void FrontCharSearch();
    // Find with the search box and the column boxes; false when refused or failed (a message was shown).
    bool Command1_Click();

    // After a save or a delete: repeats the last kind of search and disables the record buttons.
    void refreshAfterChange();

    void sendToBuffer(); // Command3 "Send to Buffer": the shown record into the buffer, and a beep
    void viewBuffer();   // Command4 "View Buffer"

    // Repair and compact of the Tools menu.
    void repairAndCompactDatabase();

private:
    bool fillList(const SearchQuery& query);
    void selectLine(int k);
    void setRecordButtonsEnabled(bool enabled);
    void openEditor(qint16 mode);
    void deleteRecord();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Services& services_;
    QLineEdit* searchBox_;
    QCheckBox* columns_[3];
    QPushButton* find_;
    QListView* results_;
    ResultsModel* lines_;
    QLabel* resultsLabel_;
    QLabel* descriptionLabel_;
    QPlainTextEdit* comments_;
    QPlainTextEdit* frequencies_;
    QPushButton* sendToBuffer_;
    QPushButton* viewBuffer_;
    QPushButton* newRecord_;
    QPushButton* editRecord_;
    QPushButton* deleteRecord_;
    // The search whose result the list shows; nothing when the list was emptied by a repair.
    std::optional<SearchQuery> listQuery_;
};

} // namespace sono
