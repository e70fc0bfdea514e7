#pragma once

#include <QDialog>
#include <memory>

class QLineEdit;

namespace Ui {
class RecordEditorWindow;
}

namespace sono {

struct Services;

// Form2: adds a record (EditorMode 1) or changes the current one (EditorMode 2). The main window is
// disabled while it is open; a save refreshes the result list by repeating the last search. Enter
// saves, Esc leaves without saving.
class RecordEditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit RecordEditorWindow(Services& services);
    ~RecordEditorWindow() override;

private:
    void saveAndExit();

    Services& services_;
    std::unique_ptr<Ui::RecordEditorWindow> ui_;
    QLineEdit* slots_[40];
};

} // namespace sono
