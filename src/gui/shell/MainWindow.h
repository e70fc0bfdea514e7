#pragma once

#include "gui/shell/BackgroundWork.h"
#include "gui/shell/Services.h"

#include <QHash>
#include <QMainWindow>
#include <functional>
#include <span>

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
class TransportPanel;
class ProgramStrip;
class NotesTab;
class ScanTab;

// Form1: the tabs and the menu bar. Every window gets the services it needs; every connection between
// windows and the menu bar is made in wire().
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

    AppState& state() { return state_; }
    Platform& platform() { return platform_; }
    WindowRegistry& windows() { return *windows_; }
    Services& services() { return services_; }

    DatabaseTab* databaseTab() const { return databaseTab_; }
    ProgramGridPanel* programPanel() const { return programPanel_; }
    FrequencyManagerPanel* managerPanel() const { return managerPanel_; }
    EnhancementsPanel* enhancementsPanel() const { return enhancementsPanel_; }
    TransportPanel* transportPanel() const { return transportPanel_; }
    NotesTab* notesTab() const { return notesTab_; }
    QTabWidget* tabs() const { return tabs_; }

    // A menu item by its object name ("RandCDB", "pLr", "a" ...).
    QAction* menuAction(const QString& objectName) const { return menuActions_.value(objectName); }
    QMenu* webMenu() const { return webMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A menu item: its object name, caption and what it does.
    struct MenuItem {
        const char* objectName;
        const char* caption;
        std::function<void()> opens;
    };
    void wire();
    void buildMenus(std::span<const MenuItem> tools);
    QAction* addMenuItem(QWidget* menu, const QString& objectName, const QString& caption,
                         const std::function<void()>& opens);
    void FileAndObjectInit();
    void loadSettings();
    void loadCalibration();
    void loadConf();
    void loadNotes();
    void loadStartupProgram();
    void step(const char* message);
    // Typed notes not yet saved: asks Save / Discard / Cancel. False keeps Sono open.
    bool notesMayClose();
    // Background work or a program playing: asks whether to stop it. False keeps Sono open.
    bool workMayStop();

    AppState& state_;
    Platform& platform_;
    WindowRegistry* windows_;
    Requests requests_;
    BackgroundWork work_;
    Services services_;
    QHash<QString, QAction*> menuActions_;
    QTabWidget* tabs_ = nullptr;
    QMenu* webMenu_ = nullptr;
    DatabaseTab* databaseTab_ = nullptr;
    ProgramGridPanel* programPanel_ = nullptr;
    FrequencyManagerPanel* managerPanel_ = nullptr;
    EnhancementsPanel* enhancementsPanel_ = nullptr;
    TransportPanel* transportPanel_ = nullptr;
    ProgramStrip* programStrip_ = nullptr;
    NotesTab* notesTab_ = nullptr;
    ScanTab* scanTab_ = nullptr;
    bool unloaded_ = false;
    bool askingToClose_ = false;
};

} // namespace sono
