#include "core/app/AppState.h"
#include "core/generator/ProgramFile.h"
#include "gui/display/WaveDisplayWidget.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct Sono : SonoHarness {
    explicit Sono(const QByteArray& defaultProgram = {}) {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
        folder.installHelpPages(); // Run shows the key-commands page
        if (!defaultProgram.isEmpty()) folder.write(QStringLiteral("default.prg"), defaultProgram);
        start();
    }
    template <class W> W* find(const char* name) const { return child<W>(main, name); }
    QLineEdit* box(const char* name) const { return find<QLineEdit>(name); }
    void click(const char* name) const { find<QAbstractButton>(name)->click(); }
    QString args() const { return box("Text9")->text(); }
    int slider() const { return find<QSlider>("Slider1_0")->value(); }
    const std::vector<WaveTrace>& traces() const { return main->managerPanel()->waveDisplay()->traces(); }
    std::string messages() const { return platform.messageTexts().join(u'|').toStdString(); }
    void chooseWave(int index) const {
        auto* wave = find<QComboBox>("Combo2");
        wave->setCurrentIndex(index);
        emit wave->activated(index);
    }
    void setSteps(std::initializer_list<std::tuple<qint16, float, qint16>> steps) {
        std::vector<ProgramStep> rows;
        for (const auto& [no, freq, time] : steps)
            rows.push_back({no, freq, time});
        state.program.load(rows, state.generator.SortMode);
    }
    // Opens Load, picks the named program and presses Load.
    void load(const QString& name) const {
        click("Command15");
        QWidget* window = main->windows().find(QStringLiteral("Form11"));
        auto* list = child<QListWidget>(window, "List1");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        child<QAbstractButton>(window, "Command1_0")->click();
    }
    // A stand-in generator that records what it was given and the run file it found.
    void installFreqgen() const {
        folder.write(QStringLiteral("freqgen"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > received-args.txt\n"
                                                "for last; do :; done\ncp \"$last\" received.run\n");
        QFile::setPermissions(folder.file(QStringLiteral("freqgen")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

} // namespace

TEST(FrequencyManager, StartupEveryControlAndInvalidBoxes) {
    Sono sono;
    ASSERT_NE(sono.main, nullptr);
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -r -f default");
    EXPECT_EQ(sono.find<QGroupBox>("Frame6")->title(), " File : default ");
    EXPECT_TRUE(sono.platform.messages.isEmpty()) << sono.messages();
    sono.main->tabs()->setCurrentIndex(1);
    screenshot(sono.main, QStringLiteral("freqgen-tab"));

    sono.click("Check7");
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -f default");
    sono.click("Check7");
    sono.box("Text7_0")->setText(QStringLiteral("0.8"));
    for (const char* name : {"Check4", "Check5", "Check6"})
        sono.click(name);
    sono.find<QSlider>("Slider1_0")->setValue(30);
    sono.box("Text10")->setText(QStringLiteral("7.5"));
    sono.chooseWave(1); // a new wave starts at phase 0
    EXPECT_EQ(sono.slider(), 0);
    EXPECT_EQ(sono.box("Text10")->text(), "0");
    sono.find<QSlider>("Slider1_0")->setValue(90);
    sono.box("Text11")->setText(QStringLiteral("10"));
    EXPECT_EQ(sono.args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");
    EXPECT_EQ(sono.traces().at(1).points[2].x(), sono.traces()[0].points[2].x() - 234);

    sono.box("Text7_1")->setText(QStringLiteral("2")); // the right channel is off
    EXPECT_EQ(sono.args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");

    // The phase buttons stop at the ends; a box holding no valid number keeps the last valid value.
    sono.find<QSlider>("Slider1_0")->setValue(0);
    sono.click("Command10_0");
    EXPECT_EQ(sono.slider(), 0);
    sono.click("Command10_2");
    sono.click("Command10_2");
    sono.click("Command10_0");
    EXPECT_EQ(sono.box("Text10")->text(), "1");
    EXPECT_TRUE(sono.args().contains("-P 1 -p 10"));
    sono.find<QSlider>("Slider1_0")->setValue(359);
    sono.click("Command10_2");
    EXPECT_EQ(sono.slider(), 359);

    QLineEdit* phase = sono.box("Text10");
    phase->setText(QStringLiteral("12.5"));
    phase->setText(QStringLiteral("twelve"));
    EXPECT_TRUE(phase->property("invalid").toBool());
    EXPECT_TRUE(sono.args().contains("-P 12.5 -p 10")) << sono.args().toStdString();
    phase->setText(QStringLiteral("0"));
    EXPECT_FALSE(phase->property("invalid").toBool());

    QLineEdit* gating = sono.box("Text11");
    gating->setText(QStringLiteral("25"));
    for (const char* bad : {"40000", "1001"}) {
        gating->setText(QString::fromLatin1(bad));
        EXPECT_TRUE(gating->property("invalid").toBool()) << bad;
        EXPECT_TRUE(sono.args().contains("-p 25 -f"));
    }
    gating->setText(QStringLiteral("1000"));
    EXPECT_FALSE(gating->property("invalid").toBool());

    // A volume box holding no number from 0 up is marked and keeps its last valid value; above 1 clamps.
    sono.click("Check4");
    QLineEdit* left = sono.box("Text7_0");
    for (const char* bad : {"abc", "0,5", "-0.3", "0.5 x", "  "}) {
        left->setText(QString::fromLatin1(bad));
        EXPECT_TRUE(left->property("invalid").toBool()) << bad;
        EXPECT_TRUE(left->toolTip().contains(QStringLiteral("not a volume"))) << bad;
        EXPECT_TRUE(sono.args().startsWith("-vl 0.8 -vr 1  -r")) << sono.args().toStdString();
    }
    left->setText(QStringLiteral("3"));
    EXPECT_FALSE(left->property("invalid").toBool());
    EXPECT_EQ(left->toolTip(), " Left volume level 0 to 1 values ");
    EXPECT_TRUE(sono.args().startsWith("-vl 1 -vr 1  -r")) << sono.args().toStdString();
    sono.click("Option3_0");
    EXPECT_EQ(sono.args(), sono.folder.path() + "/freqgen");
}

TEST(FrequencyManager, RunReportsFailuresThenWritesTheRunFileAndStartsTheGenerator) {
    Sono sono;
    sono.setSteps({{1, 1000, 180}});
    sono.click("Command16"); // no generator in the folder
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains(sono.folder.path() + "/freqgen"));
    sono.installFreqgen();
    sono.platform.startSucceeds = false;
    sono.click("Command16");
    ASSERT_EQ(sono.platform.messages.size(), 2);
    EXPECT_TRUE(sono.platform.messages[1].text.contains("freqgen"));
    QFile::remove(sono.folder.file(QStringLiteral("default.run")));
    ASSERT_TRUE(QDir(sono.folder.path()).mkdir(QStringLiteral("default.run"))); // cannot be written
    sono.click("Command16");
    ASSERT_EQ(sono.platform.messages.size(), 3);
    EXPECT_TRUE(sono.platform.messages[2].text.contains("default.run"));
    EXPECT_EQ(sono.platform.started.size(), 1); // only the failed start above
    EXPECT_EQ(sono.main->programPanel()->grid()->rowCount(), 1);

    QDir(sono.folder.path()).rmdir(QStringLiteral("default.run"));
    sono.platform.startSucceeds = true;
    sono.click("Command16");
    EXPECT_EQ(sono.platform.messages.size(), 3) << sono.messages();
    const QByteArray expected("# -vl 0.5 -vr 0.5 -r -f default\r\n"
                              "# Freqgen file generated by: Sono12 - build 05.01.16\r\n"
                              "1000,180\r\n");
    EXPECT_EQ(sono.folder.read(QStringLiteral("default.run")), expected);
    ASSERT_EQ(sono.platform.started.size(), 2);
    const auto started = sono.platform.started[1];

    // The recorded command really runs the stand-in (AppPath/freqgen), which writes into and finds its
    // run file in the working folder.
    QProcess process;
    process.setWorkingDirectory(started.workingFolder);
    process.start(started.program, started.arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(sono.folder.read(QStringLiteral("received-args.txt")),
              QByteArray("-vl\n0.5\n-vr\n0.5\n-r\n-f\ndefault.run\n"));
    EXPECT_EQ(sono.folder.read(QStringLiteral("received.run")), expected);

    sono.platform.executables[QStringLiteral("x-terminal-emulator")] = QStringLiteral("/usr/bin/xte");
    sono.click("Command16");
    ASSERT_EQ(sono.platform.started.size(), 3);
    EXPECT_EQ(sono.platform.started[2].program, "/usr/bin/xte");
    EXPECT_EQ(sono.platform.started[2].arguments.mid(0, 3),
              QStringList({"-e", sono.folder.path() + "/freqgen", "-vl"}));
}

TEST(ProgramFiles, SaveRefusesBadNamesAndLoadChecksTheWholeFileFirst) {
    Sono sono;
    sono.box("Text7_1")->setText(QStringLiteral("2"));
    sono.chooseWave(2);
    sono.find<QSlider>("Slider1_0")->setValue(45);
    sono.box("Text11")->setText(QStringLiteral("5"));
    sono.click("Check6");
    sono.state.generator.SortMode = 1;
    sono.setSteps({{3, 2000, 60}, {1, 528, 180}, {2, .5f, 30}});
    const QByteArray header("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n3\r\n12.5\r\n0\r\n2\r\n0\r\n0\r\n");
    sono.folder.write(QStringLiteral("broken.prg"), header + "1,528,180\r\n2,abc,180\r\n");
    sono.folder.write(QStringLiteral("half.prg"), header); // wave type 3 comes only from files

    sono.click("Command14");
    QWidget* saveWindow = sono.main->windows().find(QStringLiteral("Form10"));
    ASSERT_NE(saveWindow, nullptr);
    for (const char* name : {"../outside", "test"}) {
        child<QLineEdit>(saveWindow, "Text1")->setText(QString::fromLatin1(name));
        child<QAbstractButton>(saveWindow, "Command1_0")->click();
    }
    ASSERT_EQ(sono.platform.messages.size(), 1); // the bad name only
    EXPECT_FALSE(QFile::exists(QDir(sono.folder.path()).absoluteFilePath(QStringLiteral("../outside.prg"))));
    EXPECT_EQ(sono.folder.read(QStringLiteral("test.prg")),
              QByteArray("\"0.5\"\r\n\"1 \"\r\n1\r\n1\r\n0\r\n2\r\n45\r\n5\r\n1\r\n1\r\n1\r\n"
                         "3,2000,60\r\n1,528,180\r\n2,.5,30\r\n"));
    EXPECT_EQ(sono.find<QGroupBox>("Frame6")->title(), " File : test");
    EXPECT_TRUE(sono.args().endsWith("-f test"));

    sono.chooseWave(0);
    sono.box("Text7_1")->setText(QStringLiteral("0.3"));
    sono.setSteps({{1, 10, 10}});
    const QString before = sono.args();
    sono.load(QStringLiteral("broken"));
    ASSERT_EQ(sono.platform.messages.size(), 2);
    EXPECT_TRUE(sono.platform.messages[1].text.contains("broken.prg, line 13")) << sono.messages();
    EXPECT_EQ(sono.args(), before);
    EXPECT_EQ(sono.state.program.table().StepCount, 1);

    sono.load(QStringLiteral("test"));
    EXPECT_EQ(sono.box("Text7_1")->text(), "1 ");
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 1  -r -l=r -T -P 45 -p 5 -f test");
    QTableWidget* grid = sono.main->programPanel()->grid();
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), "3");
    EXPECT_EQ(grid->item(2, 1)->text(), ".5");

    // The phase is rounded to the slider and written back; the triangle is drawn.
    sono.load(QStringLiteral("half"));
    EXPECT_EQ(sono.box("Text10")->text(), "12");
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -P 12 -f half");
    EXPECT_EQ(sono.state.program.table().StepCount, 0);
    EXPECT_EQ(sono.traces().at(0).points.back(), QPointF(2062.5, 50));
}

TEST(ProgramFiles, TheLoadWindowWaitsForTheUserToPickAName) {
    Sono sono;
    sono.folder.write(QStringLiteral("alpha.prg"),
                      "\"0.3\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n1,100,60\r\n");
    sono.click("Command15");
    QWidget* window = sono.main->windows().find(QStringLiteral("Form11"));
    ASSERT_NE(window, nullptr);
    auto* list = child<QListWidget>(window, "List1");
    auto* label = child<QLabel>(window, "Label2");
    auto* load = child<QAbstractButton>(window, "Command1_0");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* close = child<QWidget>(window, "Command2");
    close->setFocus();
    QTest::keyClick(close, Qt::Key_Tab); // round to the list, which makes its first row current
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(label->text(), "Select a file");
    EXPECT_FALSE(load->isEnabled());

    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(label->text(), "Selected file : default");
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(label->text(), "Selected file : alpha");
    ASSERT_TRUE(load->isEnabled());
    load->click();
    EXPECT_EQ(sono.args(), "-vl 0.3 -vr 0.5 -f alpha");
    EXPECT_EQ(sono.state.program.table().StepCount, 1);
}

// A program file's text never reaches the generator's command line unchecked.
TEST(ProgramFiles, ABadVolumeIsRefusedOnLoadAndReplacedAtStartUp) {
    const QByteArray victim(
        "\"0.5 --wav /tmp/victim\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n"
        "1,100,60\r\n");
    Sono sono(victim);
    ASSERT_EQ(sono.platform.messages.size(), 1);
    const QString notice = sono.platform.messages[0].text;
    EXPECT_TRUE(notice.startsWith(sono.folder.file(QStringLiteral("default.prg")) + ", line 1: "))
        << notice.toStdString();
    EXPECT_TRUE(notice.contains("Sono uses 0.5 instead")) << notice.toStdString();
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -f default");
    EXPECT_EQ(sono.state.program.table().StepCount, 1);
    EXPECT_EQ(sono.folder.read(QStringLiteral("default.prg")), victim); // left as it is

    sono.folder.write(QStringLiteral("victim.prg"), victim);
    sono.load(QStringLiteral("victim"));
    ASSERT_EQ(sono.platform.messages.size(), 2);
    EXPECT_TRUE(sono.platform.messages[1].text.contains("is not a volume")) << sono.messages();
    EXPECT_EQ(sono.args(), "-vl 0.5 -vr 0.5 -f default");
    EXPECT_EQ(sono.box("Text7_0")->text(), "0.5");
}

TEST(Calibration, TheWindowSavesTheTableGeneratesItsProgramAndRunCorrects) {
    Sono sono;
    sono.main->menuAction(QStringLiteral("CalibrateSndCrd"))->trigger();
    QWidget* window = sono.main->windows().find(QStringLiteral("Form21"));
    ASSERT_NE(window, nullptr);
    auto* save = child<QAbstractButton>(window, "Command4");
    EXPECT_FALSE(save->isEnabled());
    screenshot(window, QStringLiteral("calibration-window"));

    child<QLineEdit>(window, "Text1_2")->setText(QStringLiteral("610"));
    EXPECT_EQ(child<QLabel>(window, "Label3_2")->text(), "-10.000");
    EXPECT_TRUE(save->isEnabled());
    auto* last = child<QLineEdit>(window, "Text1_25");
    last->clear();
    save->click(); // an empty box is no measurement
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.contains("25kHz"));
    EXPECT_EQ(sono.state.calibration.CalibrationOn, 0);
    last->setText(QStringLiteral("25000"));
    child<QLineEdit>(window, "Text1_3")->setText(QStringLiteral("1010"));
    child<QAbstractButton>(window, "Option1_0")->click();
    save->click();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(
        sono.folder.read(QStringLiteral("sono.cal")),
        QByteArray("50\r\n300\r\n610\r\n1010\r\n1500\r\n2000\r\n2500\r\n3000\r\n3500\r\n4000\r\n4500\r\n"
                   "5000\r\n6000\r\n7000\r\n8000\r\n9000\r\n10000\r\n11000\r\n12000\r\n14000\r\n16000\r\n"
                   "18000\r\n20000\r\n22000\r\n24000\r\n25000\r\n1\r\n"));

    child<QAbstractButton>(window, "Command2")->click();
    QTableWidget* grid = sono.main->programPanel()->grid();
    ASSERT_EQ(grid->rowCount(), 26);
    EXPECT_EQ(grid->item(25, 1)->text(), "25000");
    EXPECT_EQ(grid->item(25, 2)->text(), "15");

    sono.installFreqgen();
    sono.setSteps({{1, 800, 180}, {2, 0, 15}});
    sono.click("Command16");
    EXPECT_TRUE(sono.folder.read(QStringLiteral("default.run")).endsWith("\r\n790,180\r\n1,15\r\n"));
}
