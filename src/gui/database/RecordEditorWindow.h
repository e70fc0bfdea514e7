#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace sono {

struct Services;

// Form2: adds a record (EditorMode 1) or changes the current one (EditorMode 2). The main window is
// disabled while it is open; a save refreshes the result list by repeating the last search.
class RecordEditorWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecordEditorWindow(Services& services);

private:
    void saveAndExit();

    Services& services_;
    QLineEdit* description_;
    QPlainTextEdit* comments_;
    QLineEdit* slots_[40];
    QLabel* priorLabel_;
    QPlainTextEdit* prior_;
};

} // namespace sono
