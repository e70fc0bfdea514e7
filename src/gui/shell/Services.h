#pragma once

#include "core/generator/ProgramFile.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

namespace sono {

struct AppState;
class Platform;
class WindowRegistry;
class BackgroundWork;

// What one window asks of another. Windows emit these; the main window's wiring decides who answers.
class Requests : public QObject {
    Q_OBJECT
signals:
    // A program was saved under this name: the File frame and the option string follow it.
    void programNamed(const QString& name);
    // A program file was read for Load: its settings and steps replace the current ones.
    void programLoaded(const sono::ProgramFileData& program, const QString& name);
    // A record was added or changed: the result list repeats its search.
    void databaseChanged();
    // The enhancement summary list: emptied, or lines added.
    void summaryCleared();
    void summaryAdded(const QStringList& lines);
};

// What a window is given: the application state (the program table is `state.program`), the desktop
// seam, the window registry, the requests to other windows, the runner of long database work, and
// the main window as the owner tool windows are placed by and that blocking ones disable.
struct Services {
    AppState& state;
    Platform& platform;
    WindowRegistry& windows;
    Requests& requests;
    BackgroundWork& work;
    QWidget* mainWindow;
};

} // namespace sono
