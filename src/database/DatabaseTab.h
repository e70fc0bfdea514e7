#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace sono {

class MainWindow;

// The "Database" tab: search, result list, record display and the record buttons.
class DatabaseTab : public QWidget {
    Q_OBJECT
public:
    explicit DatabaseTab(MainWindow& main);

    // Start-up state of the search options: "Description" ticked.
    void resetSearchOptions();

    void FrontCharSearch();
    void Command1_Click();

private:
    MainWindow& main_;
    QLineEdit* searchBox_;
    QCheckBox* columns_[3];
    QListWidget* results_;
};

} // namespace sono
