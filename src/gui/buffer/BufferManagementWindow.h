#pragma once

#include <QDialog>
#include <memory>
#include <vector>

namespace Ui {
class BufferManagementWindow;
}

namespace sono {

struct Services;

// Form3: the sets in the buffer, their deletion and clearing, and the print preview report. Enter
// previews, Esc leaves as Exit does.
class BufferManagementWindow : public QDialog {
    Q_OBJECT
public:
    explicit BufferManagementWindow(Services& services);
    ~BufferManagementWindow() override;

    void printPreview();   // Command2
    void deleteSelected(); // Command4
    void clearBuffer();    // Command7

private:
    void fillList();
    int selectedLine() const; // list position of the selected line, or -1
    void showSelectedLine();
    void clearFirstClicked(bool checked);

    Services& services_;
    std::unique_ptr<Ui::BufferManagementWindow> ui_;
    std::vector<int> entryOfLine_; // buffer entry number of each list line
};

} // namespace sono
