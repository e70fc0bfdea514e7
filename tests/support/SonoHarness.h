#pragma once

#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "support/RecordingPlatform.h"
#include "support/TestFolder.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace sono::test {

// A window's control by its object name; a missing one fails the test.
template <class W = QPushButton> W* child(const QObject* window, const QString& name) {
    W* w = window ? window->findChild<W*>(name) : nullptr;
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

// One run of Sono on a temporary application folder, with a recording platform. Window-test fixtures
// derive from it, fill the folder, then call start().
struct SonoHarness {
    SonoHarness() { state.folder = AppFolder(folder.path()); }
    MainWindow* start() {
        main = startSono(session);
        return main;
    }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
};

} // namespace sono::test
