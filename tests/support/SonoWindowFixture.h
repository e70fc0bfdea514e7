#pragma once

#include "core/app/AppState.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace sono::test {

// Sono started on a folder with these records, for the program table and buffer window tests.
class SonoWindow : public ::testing::Test, public SonoHarness {
protected:
    void start(const std::vector<FrequencyRecord>& records) {
        folder.createDatabase(records);
        SonoHarness::start();
        ASSERT_NE(main, nullptr);
        panel = main->programPanel();
        grid = panel->grid();
    }

    template <class W = QPushButton> W* control(const char* name) const { return child<W>(main, name); }
    QString label(const char* name) const { return control<QLabel>(name)->text(); }
    void click(const char* name) const { control<QAbstractButton>(name)->click(); }

    ProgramGridPanel* panel = nullptr;
    QTableWidget* grid = nullptr;
};

} // namespace sono::test
