#include "core/generator/ProgramFile.h"
#include "gui/display/WaveDisplayWidget.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

void setSteps(AppState& state, std::initializer_list<std::tuple<qint16, float, qint16>> steps) {
    std::vector<ProgramStep> rows;
    for (const auto& [no, freq, time] : steps)
        rows.push_back({no, freq, time});
    state.program.load(rows, state.generator.SortMode);
}

// A stand-in generator that records what it was given and the run file it found.
void installFreqgen(const TestFolder& folder) {
    folder.write(QStringLiteral("freqgen"), "#!/bin/sh\nprintf '%s\\n' \"$@\" > received-args.txt\n"
                                            "for last; do :; done\ncp \"$last\" received.run\n");
    QFile::setPermissions(folder.file(QStringLiteral("freqgen")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The Frequency Manager alone, holding the default program.
struct Manager : ::testing::Test, WindowServices {
    Manager() {
        state.AppPath = folder.path();
        state.BuildTitle = QStringLiteral("Sono12 - build 05.01.16");
        folder.installHelpPages(); // Run shows the key-commands page
        panel.applyProgram(defaultProgram());
    }
    template <class W = QLineEdit> W* get(const char* name) const { return child<W>(&panel, name); }
    void set(const char* box, const char* text) const { get(box)->setText(QString::fromLatin1(text)); }
    void click(const char* name) const { get<QAbstractButton>(name)->click(); }
    QString args() const { return get("Text9")->text(); }
    QSlider* slider() const { return get<QSlider>("Slider1_0"); }
    void chooseWave(int index) const {
        get<QComboBox>("Combo2")->setCurrentIndex(index);
        emit get<QComboBox>("Combo2")->activated(index);
    }
    std::string messages() const { return platform.messageTexts().join(u'|').toStdString(); }

    FrequencyManagerPanel panel{services};
};

// A real key on the focused widget of a window that has been made active.
void press(QWidget* window, QWidget* focus, Qt::Key key) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    focus->setFocus();
    QTest::keyClick(QApplication::focusWidget(), key);
}

} // namespace

TEST_F(Manager, EveryControlFeedsTheOptionStringAndABadBoxKeepsItsLastValidValue) {
    EXPECT_EQ(args(), "-vl 0.5 -vr 0.5 -r -f default");
    click("Check7");
    EXPECT_EQ(args(), "-vl 0.5 -vr 0.5 -f default");
    click("Check7");
    set("Text7_0", "0.8");
    for (const char* name : {"Check4", "Check5", "Check6"})
        click(name);
    set("Text7_1", "2"); // the right channel is off
    slider()->setValue(30);
    set("Text10", "7.5");
    chooseWave(1); // a new wave starts at phase 0, a typed phase too
    EXPECT_EQ(slider()->value(), 0);
    EXPECT_EQ(get("Text10")->text(), "0");
    slider()->setValue(90);
    set("Text11", "10");
    EXPECT_EQ(args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");
    const auto& traces = panel.waveDisplay()->traces();
    EXPECT_EQ(traces.at(1).points[2].x(), traces.at(0).points[2].x() - 234);

    // The phase buttons step by one and stop at the ends of the slider.
    for (const auto& [from, button, to] : {std::tuple{0, "Command10_0", 0},
                                           {359, "Command10_2", 359},
                                           {5, "Command10_2", 6},
                                           {5, "Command10_0", 4}}) {
        slider()->setValue(from);
        click(button);
        EXPECT_EQ(slider()->value(), to) << from << button;
    }
    EXPECT_EQ(get("Text10")->text(), "4");

    // A box holding no valid value is marked and says why; the generator is given the last valid value.
    click("Check4");
    const struct {
        const char *box, *good, *bad, *kept;
    } cases[] = {
        {"Text10", "12.5", "twelve", " -P 12.5 -p 10 "}, {"Text11", "25", "40000", " -p 25 -f"},
        {"Text11", "25", "1001", " -p 25 -f"},           {"Text7_0", "0.8", "abc", "-vl 0.8 -vr 1  -r"},
        {"Text7_0", "0.8", "0,5", "-vl 0.8 "},           {"Text7_0", "0.8", "-0.3", "-vl 0.8 "},
        {"Text7_0", "0.8", "0.5 x", "-vl 0.8 "},         {"Text7_0", "0.8", "  ", "-vl 0.8 "}};
    for (const auto& c : cases) {
        QLineEdit* box = get(c.box);
        const QString tip = box->toolTip();
        set(c.box, c.good);
        set(c.box, c.bad);
        EXPECT_TRUE(box->property("invalid").toBool()) << c.bad;
        EXPECT_TRUE(box->toolTip().endsWith("The generator is given the last valid value.")) << c.bad;
        EXPECT_TRUE(args().contains(c.kept)) << c.bad << " gave " << args().toStdString();
        set(c.box, c.good);
        EXPECT_FALSE(box->property("invalid").toBool()) << c.good;
        EXPECT_EQ(box->toolTip(), tip) << c.good;
    }
    EXPECT_TRUE(get("Text7_0")->toolTip().contains("Left volume level"));
    set("Text11", "1000");
    EXPECT_FALSE(get("Text11")->property("invalid").toBool());
    set("Text7_0", "3"); // above 1 clamps
    EXPECT_TRUE(args().startsWith("-vl 1 -vr 1  -r")) << args().toStdString();
    click("Option3_0");
    EXPECT_EQ(args(), folder.path() + "/freqgen");
}

TEST_F(Manager, RunReportsFailuresThenWritesTheRunFileAndStartsTheGenerator) {
    setSteps(state, {{1, 1000, 180}});
    click("Command16"); // no generator in the folder
    installFreqgen(folder);
    platform.startSucceeds = false;
    click("Command16");
    QFile::remove(folder.file(QStringLiteral("default.run")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("default.run"))); // cannot be written
    click("Command16");
    ASSERT_EQ(platform.messages.size(), 3);
    EXPECT_TRUE(platform.messages[0].text.contains(folder.path() + "/freqgen"));
    EXPECT_TRUE(platform.messages[1].text.contains("freqgen"));
    EXPECT_TRUE(platform.messages[2].text.contains("default.run"));
    EXPECT_EQ(platform.started.size(), 1); // only the failed start

    QDir(folder.path()).rmdir(QStringLiteral("default.run"));
    platform.startSucceeds = true;
    click("Command16");
    EXPECT_EQ(platform.messages.size(), 3) << messages();
    const QByteArray expected("# -vl 0.5 -vr 0.5 -r -f default\r\n"
                              "# Freqgen file generated by: Sono12 - build 05.01.16\r\n"
                              "1000,180\r\n");
    EXPECT_EQ(folder.read(QStringLiteral("default.run")), expected);
    ASSERT_EQ(platform.started.size(), 2);
    EXPECT_NE(windows.find(QStringLiteral("Form12")), nullptr); // the key commands

    // The recorded command really runs the stand-in, which finds its run file in the working folder.
    const auto started = platform.started[1];
    QProcess process;
    process.setWorkingDirectory(started.workingFolder);
    process.start(started.program, started.arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(folder.read(QStringLiteral("received-args.txt")),
              QByteArray("-vl\n0.5\n-vr\n0.5\n-r\n-f\ndefault.run\n"));
    EXPECT_EQ(folder.read(QStringLiteral("received.run")), expected);

    platform.executables[QStringLiteral("x-terminal-emulator")] = QStringLiteral("/usr/bin/xte");
    click("Command16");
    ASSERT_EQ(platform.started.size(), 3);
    EXPECT_EQ(platform.started[2].program, "/usr/bin/xte");
    EXPECT_EQ(platform.started[2].arguments.mid(0, 3),
              QStringList({"-e", folder.path() + "/freqgen", "-vl"}));
}

TEST_F(Manager, CalibrationSavesItsTableGeneratesItsProgramAndRunCorrects) {
    panel.openCalibrationWindow();
    QWidget* window = windows.find(QStringLiteral("Form21"));
    ASSERT_NE(window, nullptr);
    auto* save = child<QAbstractButton>(window, "Command4");
    EXPECT_FALSE(save->isEnabled());
    child<QLineEdit>(window, "Text1_2")->setText(QStringLiteral("610"));
    EXPECT_EQ(child<QLabel>(window, "Label3_2")->text(), "-10.000");
    auto* last = child<QLineEdit>(window, "Text1_25");
    last->clear();
    save->click(); // an empty box is no measurement
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("25kHz"));
    EXPECT_EQ(state.calibration.CalibrationOn, 0);
    last->setText(QStringLiteral("25000"));
    child<QLineEdit>(window, "Text1_3")->setText(QStringLiteral("1010"));
    child<QAbstractButton>(window, "Option1_0")->click();
    save->click();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(
        folder.read(QStringLiteral("sono.cal")),
        QByteArray("50\r\n300\r\n610\r\n1010\r\n1500\r\n2000\r\n2500\r\n3000\r\n3500\r\n4000\r\n4500\r\n"
                   "5000\r\n6000\r\n7000\r\n8000\r\n9000\r\n10000\r\n11000\r\n12000\r\n14000\r\n16000\r\n"
                   "18000\r\n20000\r\n22000\r\n24000\r\n25000\r\n1\r\n"));

    child<QAbstractButton>(window, "Command2")->click();
    ASSERT_EQ(state.program.cells().size(), 26u);
    EXPECT_EQ(state.program.cells()[25], (GridRowText{"26", "25000", "15"}));

    installFreqgen(folder);
    setSteps(state, {{1, 800, 180}, {2, 0, 15}});
    click("Command16");
    EXPECT_TRUE(folder.read(QStringLiteral("default.run")).endsWith("\r\n790,180\r\n1,15\r\n"));
}

// Save and Load by keyboard: Enter presses Save or Load, Esc closes; a list taking the focus selects
// nothing by itself.
TEST_F(Manager, SaveAndLoadWindowsAnswerTheKeyboard) {
    QSignalSpy named(&requests, &Requests::programNamed);
    QSignalSpy loaded(&requests, &Requests::programLoaded);
    click("Command14");
    QPointer<QWidget> save = windows.find(QStringLiteral("Form10"));
    ASSERT_NE(save, nullptr);
    screenshot(save, QStringLiteral("save-window"));
    get("Text7_0")->setText(QStringLiteral("0.3"));
    child<QLineEdit>(save, "Text1")->setText(QStringLiteral("alpha"));
    press(save, child<QLineEdit>(save, "Text1"), Qt::Key_Return);
    ASSERT_EQ(named.size(), 1);
    EXPECT_EQ(named[0][0].toString(), "alpha");
    EXPECT_TRUE(folder.read(QStringLiteral("alpha.prg")).startsWith("\"0.3\"\r\n"));
    EXPECT_EQ(rows(child<QListWidget>(save, "List1")), QStringList({"alpha"}));
    press(save, child<QListWidget>(save, "List1"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(save.isNull());

    folder.write(QStringLiteral("beta.prg"),
                 "\"0.7\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n");
    click("Command15");
    QPointer<QWidget> load = windows.find(QStringLiteral("Form11"));
    ASSERT_NE(load, nullptr);
    screenshot(load, QStringLiteral("load-window"));
    auto* list = child<QListWidget>(load, "List1");
    auto* label = child<QLabel>(load, "Label2");
    press(load, child<QWidget>(load, "Command2"), Qt::Key_Tab); // round to the list: its first row is current
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(label->text(), "Select a file");
    EXPECT_FALSE(child<QWidget>(load, "Command1_0")->isEnabled());
    QTest::keyClick(list, Qt::Key_Return); // nothing chosen: nothing loaded
    EXPECT_TRUE(loaded.isEmpty());
    const QStringList names = rows(list);
    ASSERT_EQ(names.size(), 2);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(label->text(), "Selected file : " + names[1]);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(label->text(), "Selected file : " + names[0]);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(loaded.size(), 1);
    EXPECT_EQ(loaded[0][1].toString(), names[0]);
    EXPECT_EQ(loaded[0][0].value<ProgramFileData>().header.VolLeft, names[0] == "alpha" ? "0.3" : "0.7");
    QTest::keyClick(list, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(load.isNull());
}

// Through the main window: the start-up program, Save and Load, which check a whole file before any of it
// is used; a program file's text never reaches the generator's command line unchecked.
TEST(ProgramFiles, SaveAndLoadThroughTheMainWindowNeverHalfLoad) {
    SonoHarness sono;
    const QByteArray victim(
        "\"0.5 --wav /tmp/victim\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n"
        "1,100,60\r\n");
    sono.folder.createDatabase({});
    sono.folder.write(QStringLiteral("default.prg"), victim);
    const QByteArray header("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n3\r\n12.5\r\n0\r\n2\r\n0\r\n0\r\n");
    sono.folder.write(QStringLiteral("broken.prg"), header + "1,528,180\r\n2,abc,180\r\n");
    sono.folder.write(QStringLiteral("half.prg"), header); // wave type 3 comes only from files
    sono.folder.write(QStringLiteral("victim.prg"), victim);
    MainWindow* main = sono.start();
    ASSERT_NE(main, nullptr);
    auto args = [&] { return child<QLineEdit>(main, "Text9")->text(); };
    auto click = [&](QWidget* window, const char* name) { child<QAbstractButton>(window, name)->click(); };
    auto message = [&](int i) { return sono.platform.messages.value(i).text.toStdString(); };
    auto load = [&](const char* name) {
        click(main, "Command15");
        auto* list = child<QListWidget>(sono.window("Form11"), "List1");
        list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
        click(sono.window("Form11"), "Command1_0");
    };
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(
        QString::fromStdString(message(0)).startsWith(sono.folder.file("default.prg") + ", line 1: "));
    EXPECT_NE(message(0).find("Sono uses 0.5 instead"), std::string::npos) << message(0);
    EXPECT_EQ(args(), "-vl 0.5 -vr 0.5 -f default");
    EXPECT_EQ(sono.state.program.table().StepCount, 1);
    EXPECT_EQ(sono.folder.read(QStringLiteral("default.prg")), victim); // left as it is

    child<QLineEdit>(main, "Text7_1")->setText(QStringLiteral("2"));
    auto* wave = child<QComboBox>(main, "Combo2");
    wave->setCurrentIndex(2);
    emit wave->activated(2);
    child<QSlider>(main, "Slider1_0")->setValue(45);
    child<QLineEdit>(main, "Text11")->setText(QStringLiteral("5"));
    click(main, "Check6");
    child<QAbstractButton>(main, "Option1_1")->click();
    setSteps(sono.state, {{3, 2000, 60}, {1, 528, 180}, {2, .5f, 30}});
    click(main, "Command14");
    for (const char* name : {"../outside", "test"}) {
        child<QLineEdit>(sono.window("Form10"), "Text1")->setText(QString::fromLatin1(name));
        click(sono.window("Form10"), "Command1_0");
    }
    ASSERT_EQ(sono.platform.messages.size(), 2); // the bad name only
    EXPECT_FALSE(QFile::exists(sono.folder.path() + "/../outside.prg"));
    EXPECT_EQ(sono.folder.read(QStringLiteral("test.prg")),
              QByteArray("\"0.5\"\r\n\"1 \"\r\n1\r\n1\r\n0\r\n2\r\n45\r\n5\r\n1\r\n1\r\n0\r\n"
                         "3,2000,60\r\n1,528,180\r\n2,.5,30\r\n"));
    EXPECT_EQ(child<QGroupBox>(main, "Frame6")->title(), " File : test");
    EXPECT_TRUE(args().endsWith("-f test"));

    child<QLineEdit>(main, "Text7_1")->setText(QStringLiteral("0.3"));
    setSteps(sono.state, {{1, 10, 10}});
    const QString before = args();
    load("broken");
    load("victim");
    ASSERT_EQ(sono.platform.messages.size(), 4);
    EXPECT_NE(message(2).find("broken.prg, line 13"), std::string::npos) << message(2);
    EXPECT_NE(message(3).find("is not a volume"), std::string::npos) << message(3);
    EXPECT_EQ(args(), before);
    EXPECT_EQ(sono.state.program.table().StepCount, 1);

    load("test");
    EXPECT_EQ(child<QLineEdit>(main, "Text7_1")->text(), "1 ");
    EXPECT_EQ(args(), "-vl 0.5 -vr 1  -l=r -T -P 45 -p 5 -f test");
    auto* grid = child<QTableWidget>(main, "Fgrid");
    EXPECT_EQ(rows(grid), QStringList({"3", "1", "2"}));
    EXPECT_EQ(rows(grid, 1), QStringList({"2000", "528", ".5"}));
    EXPECT_TRUE(child<QAbstractButton>(main, "Option1_1")->isChecked());
    EXPECT_TRUE(child<QWidget>(main, "Command16")->isEnabled());

    // The phase is rounded to the slider and written back; the triangle is drawn; Run waits for steps.
    load("half");
    EXPECT_EQ(child<QLineEdit>(main, "Text10")->text(), "12");
    EXPECT_EQ(args(), "-vl 0.5 -vr 0.5 -P 12 -f half");
    EXPECT_EQ(sono.state.program.table().StepCount, 0);
    EXPECT_EQ(main->findChild<WaveDisplayWidget*>()->traces().at(0).points.back(), QPointF(2062.5, 50));
    EXPECT_FALSE(child<QWidget>(main, "Command16")->isEnabled());
    main->tabs()->setCurrentIndex(1);
    screenshot(main, QStringLiteral("freqgen-tab"));
}
