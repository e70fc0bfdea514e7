#pragma once

#include <QMainWindow>

class QAction;
class QMenu;
class QTabWidget;

namespace sono {

struct AppState;
class Platform;
class WindowRegistry;
class DatabaseTab;
class ProgramGridPanel;
class FrequencyManagerPanel;
class EnhancementsPanel;
class NotesTab;
class ScanTab;

// Form1: the tabs, the menu bar, and the named procedures other windows call on the program table,
// the option string, the buffer and the searches. Each procedure only delegates to the panel or model
// that owns the work.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence. False when the program cannot go on (the database cannot be opened); the
    // user has been told why.
    bool load();

    // Shut-down: closes the database, appends the log record, closes every other window. Runs once.
    void unload();

    // Named procedures.
    void ClearArray();
    void fgArrayToTable();
    void DisplayGrid();
    void fgProgramTime();
    void fgDataBuild();
    void fgDrawWave();
    void ClearTheBuffer();
    void FrontCharSearch();
    void Command1_Click();
    void LogDisplay();

    AppState& state() { return state_; }
    Platform& platform() { return platform_; }
    WindowRegistry& windows() { return *windows_; }

    DatabaseTab* databaseTab() const { return databaseTab_; }
    ProgramGridPanel* programPanel() const { return programPanel_; }
    FrequencyManagerPanel* managerPanel() const { return managerPanel_; }
    EnhancementsPanel* enhancementsPanel() const { return enhancementsPanel_; }
    NotesTab* notesTab() const { return notesTab_; }
    QTabWidget* tabs() const { return tabs_; }

    // A menu item by its object name ("RandCDB", "pLr", "a" ...), for the subsystems that wire them.
    QAction* menuAction(const QString& objectName) const;
    QMenu* webMenu() const { return webMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void FileAndObjectInit();
    void loadSettings();
    void loadCalibration();
    void loadNotes();
    void loadStartupProgram();
    void step(const char* message);
    // Typed notes not yet saved: asks Save / Discard / Cancel. False keeps Sono open.
    bool notesMayClose();

    AppState& state_;
    Platform& platform_;
    WindowRegistry* windows_;
    QTabWidget* tabs_ = nullptr;
    QMenu* webMenu_ = nullptr;
    DatabaseTab* databaseTab_ = nullptr;
    ProgramGridPanel* programPanel_ = nullptr;
    FrequencyManagerPanel* managerPanel_ = nullptr;
    EnhancementsPanel* enhancementsPanel_ = nullptr;
    NotesTab* notesTab_ = nullptr;
    ScanTab* scanTab_ = nullptr;
    bool unloaded_ = false;
    bool askingToClose_ = false;
};

} // namespace sono
