#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class NotesTab;
}

namespace sono {

struct Services;

// The "Notes " tab: the notes pane that survives from run to run, and the log of shut-downs.
class NotesTab : public QWidget {
    Q_OBJECT
public:
    explicit NotesTab(Services& services);
    ~NotesTab() override;

    // Puts the notes into the box and leaves Save disabled (loading is not an edit).
    void showNotes(const QString& notes);
    // The box differs from what was last loaded or saved.
    bool hasUnsavedNotes() const;
    // Notes Save; false (the user has been told) when the file could not be written.
    bool saveNotes();
    void LogDisplay();

private:
    Services& services_;
    std::unique_ptr<Ui::NotesTab> ui_;
    QString savedText_; // the box as last loaded or saved
};

} // namespace sono
