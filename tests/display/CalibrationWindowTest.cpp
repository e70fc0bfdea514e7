#include "app/AppState.h"
#include "program/ProgramGridPanel.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct Sono {
    Sono() {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
        state.folder = AppFolder(folder.path());
        main = startSono(session);
    }
    QWidget* openCalibration() {
        main->menuAction(QStringLiteral("CalibrateSndCrd"))->trigger();
        return main->windows().find(QStringLiteral("Form21"));
    }
    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
};

template <class W> W* child(QWidget* window, const QString& name) {
    return window->findChild<W*>(name);
}

} // namespace

TEST(CalibrationWindow, OpensWithTheDefaultTableAndSavesWithActivate) {
    Sono sono;
    QWidget* window = sono.openCalibration();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Sono - Calibrate Sound Card");
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(child<QLabel>(window, QStringLiteral("Label3_%1").arg(i))->text(), "0.000") << i;
    EXPECT_EQ(child<QLineEdit>(window, QStringLiteral("Text1_25"))->text(), "25000");
    EXPECT_EQ(child<QLabel>(window, QStringLiteral("Label1_13"))->text(), "7kHz");
    EXPECT_TRUE(child<QRadioButton>(window, QStringLiteral("Option1_1"))->isChecked());
    auto* save = child<QPushButton>(window, QStringLiteral("Command4"));
    EXPECT_FALSE(save->isEnabled());
    screenshot(window, QStringLiteral("calibration-window"));

    child<QLineEdit>(window, QStringLiteral("Text1_0"))->setText(QStringLiteral("50.5"));
    EXPECT_EQ(child<QLabel>(window, QStringLiteral("Label3_0"))->text(), "-0.500");
    EXPECT_TRUE(save->isEnabled());
    child<QLineEdit>(window, QStringLiteral("Text1_25"))->clear();
    EXPECT_EQ(child<QLabel>(window, QStringLiteral("Label3_25"))->text(), "25,000.000");
    save->click(); // an empty box is no measurement
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains("25kHz"));
    EXPECT_EQ(sono.state.calibration.CalibrationOn, 0);
    child<QLineEdit>(window, QStringLiteral("Text1_25"))->setText(QStringLiteral("25000"));

    child<QRadioButton>(window, QStringLiteral("Option1_0"))->click();
    save->click();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(
        sono.folder.read(QStringLiteral("sono.cal")),
        QByteArray("50.5\r\n300\r\n600\r\n1000\r\n1500\r\n2000\r\n2500\r\n3000\r\n3500\r\n4000\r\n4500\r\n"
                   "5000\r\n6000\r\n7000\r\n8000\r\n9000\r\n10000\r\n11000\r\n12000\r\n14000\r\n16000\r\n"
                   "18000\r\n20000\r\n22000\r\n24000\r\n25000\r\n1\r\n"));
    EXPECT_EQ(sono.state.calibration.CalibrationOn, 1);
    EXPECT_EQ(sono.state.calibration.CalTable[0], 50.5f);

    // Open again: the saved switch is shown and nothing is waiting to be saved.
    window->close();
    QWidget* again = sono.openCalibration();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(child<QRadioButton>(again, QStringLiteral("Option1_0"))->isChecked());
    EXPECT_FALSE(child<QPushButton>(again, QStringLiteral("Command4"))->isEnabled());
}

TEST(CalibrationWindow, GenerateProgramPutsTheCalibrationProgramInTheGrid) {
    Sono sono;
    QWidget* window = sono.openCalibration();
    ASSERT_NE(window, nullptr);
    child<QPushButton>(window, QStringLiteral("Command2"))->click();
    EXPECT_EQ(sono.state.program.StepCount, 26);
    QTableWidget* grid = sono.main->programPanel()->grid();
    ASSERT_EQ(grid->rowCount(), 26);
    EXPECT_EQ(grid->item(0, 1)->text(), "50");
    EXPECT_EQ(grid->item(25, 0)->text(), "26");
    EXPECT_EQ(grid->item(25, 1)->text(), "25000");
    for (int r = 0; r < 26; ++r)
        EXPECT_EQ(grid->item(r, 2)->text(), "15");
}
