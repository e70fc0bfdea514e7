#include "app/AppState.h"
#include "display/WaveDisplayWidget.h"
#include "generator/FrequencyManagerPanel.h"
#include "program/ProgramGridPanel.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct Sono {
    Sono() {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
        folder.installHelpPages(); // Run shows the key-commands page
        state.folder = AppFolder(folder.path());
        main = startSono(session);
    }
    template <class W> W* find(const char* name) const {
        return main->findChild<W*>(QString::fromLatin1(name));
    }
    QString args() const { return find<QLineEdit>("Text9")->text(); }
    void setSteps(std::initializer_list<std::tuple<qint16, float, qint16>> steps) {
        ProgramTable& t = state.program;
        t.StepCount = 0;
        for (const auto& [no, freq, time] : steps) {
            const auto k = static_cast<size_t>(++t.StepCount);
            t.StepNo[k] = no;
            t.StepFreq[k] = freq;
            t.StepTime[k] = time;
        }
        main->fgArrayToTable();
    }
    // A stand-in generator that records what it was given and the run file it found.
    void installFreqgen() const {
        folder.write(QStringLiteral("freqgen"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > received-args.txt\n"
                                                "for last; do :; done\ncp \"$last\" received.run\n");
        QFile::setPermissions(folder.file(QStringLiteral("freqgen")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QWidget* window(const char* name) const { return main->windows().find(QString::fromLatin1(name)); }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
};

template <class W> W* child(QWidget* window, const char* name) {
    return window->findChild<W*>(QString::fromLatin1(name));
}

} // namespace

TEST(FrequencyManager, StartupShowsTheDefaultProgramsOptions) {
    Sono sono;
    ASSERT_NE(sono.main, nullptr);
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -r -f default");
    EXPECT_EQ(sono.find<QGroupBox>("Frame6")->title(), " File : default ");
    EXPECT_TRUE(sono.find<QRadioButton>("Option3_1")->isChecked());
    EXPECT_EQ(sono.find<QComboBox>("Combo2")->currentText(), "Sine wave");
    EXPECT_TRUE(sono.find<QCheckBox>("Check7")->isChecked());
    EXPECT_EQ(sono.main->managerPanel()->waveDisplay()->traces().size(), 1u);
    EXPECT_TRUE(sono.platform.messages.isEmpty());
    sono.main->tabs()->setCurrentIndex(1);
    screenshot(sono.main, QStringLiteral("freqgen-tab"));
}

TEST(FrequencyManager, EveryControlRebuildsTheString) {
    Sono sono;
    sono.find<QCheckBox>("Check7")->click();
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -f default");
    sono.find<QLineEdit>("Text7_0")->setText(QStringLiteral("0.8"));
    sono.find<QCheckBox>("Check4")->click();
    sono.find<QCheckBox>("Check7")->click();
    sono.find<QCheckBox>("Check5")->click();
    sono.find<QCheckBox>("Check6")->click();
    auto* wave = sono.find<QComboBox>("Combo2");
    wave->setCurrentIndex(1);
    emit wave->activated(1);
    sono.find<QSlider>("Slider1_0")->setValue(90);
    sono.find<QLineEdit>("Text11")->setText(QStringLiteral("10"));
    EXPECT_EQ(sono.args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");
    EXPECT_EQ(sono.state.generator.RightOn, 0);

    sono.find<QRadioButton>("Option3_0")->click();
    EXPECT_EQ(sono.args(), sono.folder.path() + "/freqgen");
    sono.find<QLineEdit>("Text7_1")->setText(QStringLiteral("2")); // the right channel is off
    EXPECT_EQ(sono.args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");
    sono.find<QCheckBox>("Check4")->click();
    EXPECT_EQ(sono.args(), "-vl 0.8 -vr 1  -r -e -l=r -S -P 90 -p 10 -f default");
    EXPECT_EQ(sono.find<QLineEdit>("Text7_1")->text(), "2"); // the box keeps what was typed
}

TEST(FrequencyManager, PhaseButtonsSliderAndTypedPhase) {
    Sono sono;
    auto* slider = sono.find<QSlider>("Slider1_0");
    auto* phase = sono.find<QLineEdit>("Text10");
    auto* up = sono.find<QPushButton>("Command10_2");
    auto* down = sono.find<QPushButton>("Command10_0");
    auto* picture = sono.main->managerPanel()->waveDisplay();
    down->click();
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(picture->traces().size(), 1u); // sine at 0: the reference only
    slider->setValue(10);
    up->click();
    EXPECT_EQ(phase->text(), "11");
    EXPECT_TRUE(sono.args().contains("-P 11 -f"));
    down->click();
    down->click();
    EXPECT_EQ(slider->value(), 9);
    EXPECT_TRUE(sono.args().contains("-P 9 -f"));
    ASSERT_EQ(picture->traces().size(), 2u);
    EXPECT_TRUE(picture->traces()[1].shifted);
    slider->setValue(359);
    up->click();
    EXPECT_EQ(slider->value(), 359);

    phase->setText(QStringLiteral("12.5"));
    EXPECT_EQ(slider->value(), 359);
    EXPECT_TRUE(sono.args().contains("-P 12.5 -f"));
    phase->setText(QStringLiteral("twelve"));
    EXPECT_TRUE(phase->property("invalid").toBool());
    EXPECT_TRUE(phase->toolTip().contains("twelve"));
    EXPECT_TRUE(sono.args().contains("-P 12.5 -f")) << sono.args().toStdString();
    phase->setText(QStringLiteral("0"));
    EXPECT_FALSE(phase->property("invalid").toBool());
    EXPECT_FALSE(sono.args().contains("-P"));

    auto* gating = sono.find<QLineEdit>("Text11");
    gating->setText(QStringLiteral("25"));
    gating->setText(QStringLiteral("40000"));
    EXPECT_TRUE(gating->property("invalid").toBool());
    EXPECT_TRUE(sono.args().contains("-p 25 -f"));
}

TEST(FrequencyManager, ChoosingAWaveResetsThePhase) {
    Sono sono;
    sono.find<QSlider>("Slider1_0")->setValue(30);
    sono.find<QLineEdit>("Text10")->setText(QStringLiteral("7.5"));
    auto* wave = sono.find<QComboBox>("Combo2");
    wave->setCurrentIndex(2);
    emit wave->activated(2);
    EXPECT_EQ(sono.find<QSlider>("Slider1_0")->value(), 0);
    EXPECT_EQ(sono.find<QLineEdit>("Text10")->text(), "0");
    EXPECT_EQ(sono.state.generator.WaveType, 2);
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -r -T -f default");
    const auto& traces = sono.main->managerPanel()->waveDisplay()->traces();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].points.back(), QPointF(2135, 360));

    wave->setCurrentIndex(1);
    emit wave->activated(1);
    sono.find<QSlider>("Slider1_0")->setValue(90);
    const auto& shifted = sono.main->managerPanel()->waveDisplay()->traces();
    ASSERT_EQ(shifted.size(), 2u);
    EXPECT_EQ(shifted[1].points[2].x(), shifted[0].points[2].x() - 234);
    EXPECT_TRUE(sono.args().contains("-S -P 90 -f"));
    sono.main->tabs()->setCurrentIndex(1);
    screenshot(sono.main, QStringLiteral("freqgen-tab-square-90"));
}

TEST(FrequencyManager, RunWritesTheRunFileAndStartsTheGenerator) {
    Sono sono;
    sono.installFreqgen();
    sono.setSteps({{1, 1000, 180}, {2, 7.83f, 60}});
    sono.find<QPushButton>("Command16")->click();
    EXPECT_TRUE(sono.platform.messages.isEmpty()) << sono.platform.messageTexts().join(u'|').toStdString();
    const QByteArray expected("# -vl 0.5 -vr 0.5 -r -f default\r\n"
                              "# Freqgen file generated by: Sono12 - build 05.01.16\r\n"
                              "1000,180\r\n7.83,60\r\n");
    EXPECT_EQ(sono.folder.read(QStringLiteral("default.run")), expected);
    ASSERT_EQ(sono.platform.started.size(), 1);
    const auto started = sono.platform.started[0];
    EXPECT_EQ(started.program, sono.folder.path() + "/freqgen");
    EXPECT_EQ(started.arguments, QStringList({"-vl", "0.5", "-vr", "0.5", "-r", "-f", "default.run"}));
    EXPECT_EQ(started.workingFolder, sono.folder.path());
    EXPECT_EQ(sono.state.program.StepCount, 2);

    // The recorded command really runs the stand-in, which finds its run file in the working folder.
    QProcess process;
    process.setWorkingDirectory(started.workingFolder);
    process.start(started.program, started.arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(sono.folder.read(QStringLiteral("received-args.txt")),
              QByteArray("-vl\n0.5\n-vr\n0.5\n-r\n-f\ndefault.run\n"));
    EXPECT_EQ(sono.folder.read(QStringLiteral("received.run")), expected);

    sono.platform.executables[QStringLiteral("x-terminal-emulator")] =
        QStringLiteral("/usr/bin/x-terminal-emulator");
    sono.find<QPushButton>("Command16")->click();
    ASSERT_EQ(sono.platform.started.size(), 2);
    EXPECT_EQ(sono.platform.started[1].program, "/usr/bin/x-terminal-emulator");
    EXPECT_EQ(sono.platform.started[1].arguments.mid(0, 3),
              QStringList({"-e", sono.folder.path() + "/freqgen", "-vl"}));
    EXPECT_EQ(sono.platform.started[1].arguments.last(), "default.run");
}

TEST(FrequencyManager, RunCorrectsByTheCalibrationWhenOn) {
    Sono sono;
    sono.installFreqgen();
    sono.state.calibration.CalTable[2] = 610;
    sono.state.calibration.CalTable[3] = 1010;
    sono.state.calibration.CalibrationOn = 1;
    sono.setSteps({{1, 800, 180}, {2, 0, 15}});
    sono.find<QPushButton>("Command16")->click();
    const QByteArray file = sono.folder.read(QStringLiteral("default.run"));
    EXPECT_TRUE(file.endsWith("\r\n790,180\r\n1,15\r\n")) << file.toStdString();
    EXPECT_EQ(sono.state.program.StepFreq[2], 1.0f);
}

TEST(FrequencyManager, RunFailuresAreReportedAndTheTableStays) {
    Sono sono;
    sono.setSteps({{1, 528, 180}});
    sono.find<QPushButton>("Command16")->click(); // no generator in the folder
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains(sono.folder.path() + "/freqgen"));
    EXPECT_TRUE(sono.platform.started.isEmpty());

    sono.installFreqgen();
    sono.platform.startSucceeds = false;
    sono.find<QPushButton>("Command16")->click();
    ASSERT_EQ(sono.platform.messages.size(), 2);
    EXPECT_TRUE(sono.platform.messages[1].text.contains("freqgen"));

    QFile::remove(sono.folder.file(QStringLiteral("default.run")));
    ASSERT_TRUE(QDir(sono.folder.path()).mkdir(QStringLiteral("default.run"))); // cannot be written
    sono.find<QPushButton>("Command16")->click();
    ASSERT_EQ(sono.platform.messages.size(), 3);
    EXPECT_TRUE(sono.platform.messages[2].text.contains("default.run"));
    EXPECT_EQ(sono.platform.started.size(), 1); // only the failed start above
    EXPECT_EQ(sono.state.program.StepCount, 1);
    EXPECT_EQ(sono.main->programPanel()->grid()->rowCount(), 1);
}

TEST(ProgramFiles, SaveAndLoadRoundTripSettingsOrderAndLabels) {
    Sono sono;
    sono.installFreqgen();
    sono.find<QLineEdit>("Text7_1")->setText(QStringLiteral("2"));
    auto* wave = sono.find<QComboBox>("Combo2");
    wave->setCurrentIndex(2);
    emit wave->activated(2);
    sono.find<QSlider>("Slider1_0")->setValue(45);
    sono.find<QLineEdit>("Text11")->setText(QStringLiteral("5"));
    sono.find<QCheckBox>("Check6")->click();
    sono.state.generator.SortMode = 1;
    sono.setSteps({{3, 2000, 60}, {1, 528, 180}, {2, 7.83f, 30}});

    sono.find<QPushButton>("Command14")->click();
    QWidget* saveWindow = sono.window("Form10");
    ASSERT_NE(saveWindow, nullptr);
    EXPECT_EQ(saveWindow->windowTitle(), "Sono - Save Freqgen File");
    child<QLineEdit>(saveWindow, "Text1")->setText(QStringLiteral("test"));
    child<QPushButton>(saveWindow, "Command1_0")->click();
    EXPECT_TRUE(sono.platform.messages.isEmpty()) << sono.platform.messageTexts().join(u'|').toStdString();
    EXPECT_EQ(sono.folder.read(QStringLiteral("test.prg")),
              QByteArray("\"0.5\"\r\n\"1 \"\r\n1\r\n1\r\n0\r\n2\r\n45\r\n5\r\n1\r\n1\r\n1\r\n"
                         "3,2000,60\r\n1,528,180\r\n2,7.83,30\r\n"));
    EXPECT_EQ(sono.find<QGroupBox>("Frame6")->title(), " File : test");
    EXPECT_TRUE(sono.args().endsWith("-f test"));
    EXPECT_EQ(child<QListWidget>(saveWindow, "List1")->count(), 2); // default and test
    sono.find<QPushButton>("Command16")->click();
    EXPECT_TRUE(sono.folder.exists(QStringLiteral("test.run")));
    EXPECT_EQ(sono.platform.started.last().arguments.last(), "test.run");

    // Change everything, then load it back.
    wave->setCurrentIndex(0);
    emit wave->activated(0);
    sono.find<QLineEdit>("Text7_1")->setText(QStringLiteral("0.3"));
    sono.find<QCheckBox>("Check6")->click();
    sono.setSteps({{1, 10, 10}});
    sono.find<QPushButton>("Command15")->click();
    QWidget* loadWindow = sono.window("Form11");
    ASSERT_NE(loadWindow, nullptr);
    auto* list = child<QListWidget>(loadWindow, "List1");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "default");
    EXPECT_FALSE(child<QPushButton>(loadWindow, "Command1_0")->isEnabled());
    list->setCurrentRow(1);
    EXPECT_EQ(child<QLabel>(loadWindow, "Label2")->text(), "Selected file : test");
    child<QPushButton>(loadWindow, "Command1_0")->click();
    EXPECT_TRUE(sono.platform.messages.isEmpty()) << sono.platform.messageTexts().join(u'|').toStdString();

    EXPECT_EQ(sono.find<QLineEdit>("Text7_1")->text(), "1 ");
    EXPECT_EQ(wave->currentText(), "Saw Tooth wave");
    EXPECT_EQ(sono.find<QSlider>("Slider1_0")->value(), 45);
    EXPECT_EQ(sono.find<QLineEdit>("Text10")->text(), "45");
    EXPECT_EQ(sono.find<QLineEdit>("Text11")->text(), "5");
    EXPECT_TRUE(sono.find<QCheckBox>("Check6")->isChecked());
    EXPECT_EQ(sono.state.generator.SortMode, 1);
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 1  -r -l=r -T -P 45 -p 5 -f test");
    EXPECT_EQ(sono.find<QGroupBox>("Frame6")->title(), " File : test");
    QTableWidget* grid = sono.main->programPanel()->grid();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), "3");
    EXPECT_EQ(grid->item(2, 1)->text(), "7.83");
    EXPECT_EQ(sono.state.program.StepNo[2], 1);
    screenshot(loadWindow, QStringLiteral("load-window"));
    screenshot(saveWindow, QStringLiteral("save-window"));
}

TEST(ProgramFiles, LoadRoundsThePhaseToTheSliderAndWritesItBack) {
    Sono sono;
    sono.folder.write(QStringLiteral("half.prg"),
                      "\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n3\r\n12.5\r\n0\r\n2\r\n0\r\n0\r\n");
    sono.find<QPushButton>("Command15")->click();
    QWidget* loadWindow = sono.window("Form11");
    auto* list = child<QListWidget>(loadWindow, "List1");
    ASSERT_EQ(list->item(1)->text(), "half");
    list->setCurrentRow(1);
    child<QPushButton>(loadWindow, "Command1_0")->click();
    EXPECT_EQ(sono.find<QSlider>("Slider1_0")->value(), 12);
    EXPECT_EQ(sono.find<QLineEdit>("Text10")->text(), "12");
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -P 12 -f half");
    EXPECT_EQ(sono.state.program.StepCount, 0); // no steps: the table is emptied
    // A triangle from the file is drawn although the wave list has no such item.
    const auto& traces = sono.main->managerPanel()->waveDisplay()->traces();
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].points.back(), QPointF(2062.5, 50));
}

TEST(ProgramFiles, BadFilesAndNamesChangeNothing) {
    Sono sono;
    sono.setSteps({{1, 528, 180}});
    const QString before = sono.args();
    sono.folder.write(QStringLiteral("broken.prg"),
                      "\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n"
                      "1,528,180\r\n2,abc,180\r\n");
    sono.find<QPushButton>("Command15")->click();
    QWidget* loadWindow = sono.window("Form11");
    auto* list = child<QListWidget>(loadWindow, "List1");
    ASSERT_EQ(list->item(0)->text(), "broken");
    list->setCurrentRow(0);
    child<QPushButton>(loadWindow, "Command1_0")->click();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains("broken.prg, line 13"))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.args(), before);
    EXPECT_EQ(sono.state.generator.ProgramName, "default");
    EXPECT_EQ(sono.state.program.StepCount, 1);
    loadWindow->close();

    sono.find<QPushButton>("Command14")->click();
    QWidget* saveWindow = sono.window("Form10");
    auto* name = child<QLineEdit>(saveWindow, "Text1");
    for (const char* bad : {"../outside", "..", "two words"}) {
        name->setText(QString::fromLatin1(bad));
        child<QPushButton>(saveWindow, "Command1_0")->click();
    }
    EXPECT_EQ(sono.platform.messages.size(), 4);
    name->clear();
    child<QPushButton>(saveWindow, "Command1_0")->click(); // an empty name does nothing
    EXPECT_EQ(sono.platform.messages.size(), 4);
    EXPECT_FALSE(QFile::exists(QDir(sono.folder.path()).absoluteFilePath(QStringLiteral("../outside.prg"))));
    EXPECT_EQ(sono.state.generator.ProgramName, "default");
}
