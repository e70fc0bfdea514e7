#pragma once

#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "support/RecordingPlatform.h"
#include "support/TestFolder.h"

namespace sono::test {

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
