#pragma once

#include <QWidget>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace sono {

struct Services;

// Form3: the sets in the buffer, their deletion and clearing, and the print preview report.
class BufferManagementWindow : public QWidget {
    Q_OBJECT
public:
    explicit BufferManagementWindow(Services& services);

    void printPreview();   // Command2
    void deleteSelected(); // Command4
    void clearBuffer();    // Command7

private:
    void fillList();
    int selectedLine() const; // list position of the selected line, or -1
    void showSelectedLine();
    void clearFirstClicked(bool checked);

    Services& services_;
    std::vector<int> entryOfLine_; // buffer entry number of each list line
    QListWidget* list_;
    QPlainTextEdit* comments_;
    QPlainTextEdit* frequencies_;
    QLineEdit* cap_;
    QCheckBox* clearFirst_;
    QPushButton* delete_;
};

} // namespace sono
