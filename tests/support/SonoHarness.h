#pragma once

#include "core/app/AppState.h"
#include "gui/shell/BackgroundWork.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Services.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/TestFolder.h"

#include <QAbstractItemView>
#include <QPushButton>
#include <gtest/gtest.h>

namespace sono::test {

// A window's control by its object name; a missing one fails the test.
template <class W = QPushButton> W* child(const QObject* window, const QString& name) {
    W* w = window ? window->findChild<W*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// The texts of a list's rows, or of a table's column, top to bottom.
inline QStringList rows(const QAbstractItemView* view, int column = 0) {
    QStringList texts;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        texts << view->model()->index(r, column).data().toString();
    return texts;
}

// What one window is given, without a session: a temporary application folder, a recording platform,
// a fresh state, and a stand-in main window that owns the registry. A test builds the window under test
// on `services` alone; `openStore` opens a database made from these records.
struct WindowServices {
    WindowServices() { state.folder = AppFolder(folder.path()); }
    void openStore(const std::vector<FrequencyRecord>& records) {
        folder.createDatabase(records);
        auto opened = state.database.open(state.filePath(QStringLiteral("freqs.mdb")));
        ASSERT_TRUE(opened) << opened.error().toStdString();
    }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    QWidget owner;
    WindowRegistry windows{&owner};
    Requests requests;
    BackgroundWork work;
    Services services{state, platform, windows, requests, work, &owner};
};

// One run of Sono on a temporary application folder, with a recording platform. Window-test fixtures
// derive from it, fill the folder, then call start().
struct SonoHarness {
    SonoHarness() { state.folder = AppFolder(folder.path()); }
    MainWindow* start() { return main = startSono(session); }
    // The open tool window of that form name, or nullptr.
    QWidget* window(const char* form) const { return main->windows().find(QString::fromLatin1(form)); }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
};

} // namespace sono::test
