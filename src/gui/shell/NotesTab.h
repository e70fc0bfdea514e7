#pragma once

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sono {

struct Services;

// The "Notes " tab: the notes pane that survives from run to run, and the log of shut-downs.
class NotesTab : public QWidget {
    Q_OBJECT
public:
    explicit NotesTab(Services& services);

    // Puts the notes into the box and leaves Save disabled (loading is not an edit).
    void showNotes(const QString& notes);
    // The box differs from what was last loaded or saved.
    bool hasUnsavedNotes() const;
    // Notes Save; false (the user has been told) when the file could not be written.
    bool saveNotes();
    void LogDisplay();

private:
    Services& services_;
    QLabel* notesLabel_;
    QPlainTextEdit* notes_;
    QPushButton* save_;
    QLabel* logLabel_;
    QPlainTextEdit* log_;
    QString savedText_; // the box as last loaded or saved
};

} // namespace sono
