#pragma once

#include "core/database/FrequencyStore.h"

#include <QString>
#include <QWidget>
#include <array>
#include <expected>
#include <memory>
#include <optional>

class QCheckBox;

namespace Ui {
class DatabaseTab;
}

namespace sono {

struct Services;
class ResultsModel;

// The "Database" tab: search, result list, record display and the record buttons.
class DatabaseTab : public QWidget {
    Q_OBJECT
public:
    explicit DatabaseTab(Services& services);
    ~DatabaseTab() override;

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

    // Repair and compact of the Tools menu, as background work behind a progress window with Cancel;
    // its message comes when it is done.
    void repairAndCompactDatabase();

private:
    void repairDone(const std::expected<void, QString>& repaired);
    bool fillList(const SearchQuery& query);
    void selectLine(int k);
    void setRecordButtonsEnabled(bool enabled);
    void openEditor(qint16 mode);
    void deleteRecord();
    bool eventFilter(QObject* watched, QEvent* event) override;

    Services& services_;
    std::unique_ptr<Ui::DatabaseTab> ui_;
    std::array<QCheckBox*, 3> columns_; // Check1(0..2): Description, Comments, Frequencies
    ResultsModel* lines_;
    // The search whose result the list shows; nothing when the list was emptied by a repair.
    std::optional<SearchQuery> listQuery_;
};

} // namespace sono
