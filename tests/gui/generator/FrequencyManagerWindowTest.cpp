#include "core/generator/ProgramFile.h"
#include "gui/display/WaveDisplayWidget.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

using namespace sono;
using namespace sono::test;

namespace {

void setSteps(AppState& state, std::vector<ProgramStep> steps) {
    state.program.load(steps, state.generator.SortMode);
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
    void installFreqgen() const {
        folder.write(QStringLiteral("freqgen"), "#!/bin/sh\n");
        QFile::setPermissions(folder.file(QStringLiteral("freqgen")), QFile::ReadOwner | QFile::ExeOwner);
    }

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
    for (const char* name : {"Check7", "Check7", "Check4", "Check5", "Check6"})
        click(name);
    set("Text7_0", "0.8");
    set("Text7_1", "2"); // the right channel is off
    slider()->setValue(30);
    set("Text10", "7.5");
    auto* wave = get<QComboBox>("Combo2");
    wave->setCurrentIndex(1);
    emit wave->activated(1); // a new wave starts at phase 0, a typed phase too
    EXPECT_EQ(slider()->value() + get("Text10")->text().toInt(), 0);
    slider()->setValue(90);
    set("Text11", "10");
    EXPECT_EQ(args(), "-vl 0.8 -vr 0 -r -e -l=r -S -P 90 -p 10 -f default");
    const auto& traces = panel.waveDisplay()->traces();
    EXPECT_EQ(traces.at(1).points[2].x(), traces.at(0).points[2].x() - 234);

    // The phase buttons step by one and stop at the ends of the slider.
    for (const auto& [from, button, to] :
         {std::tuple{0, "Command10_0", 0}, {358, "Command10_2", 359}, {5, "Command10_0", 4}}) {
        slider()->setValue(from);
        click(button);
        EXPECT_EQ(slider()->value(), to) << from << button;
    }
    EXPECT_EQ(get("Text10")->text(), "4");

    // A box holding no valid value is marked and says why; the generator is given the last valid value.
    click("Check4");
    for (const auto& [box, good, bad, kept] : {std::tuple{"Text10", "12.5", "twelve", " -P 12.5 -p 10 "},
                                               {"Text11", "25", "1001", " -p 25 -f"},
                                               {"Text7_0", "3", "0,5", "-vl 1 -vr 1  -r"}}) {
        const QString tip = get(box)->toolTip();
        set(box, good);
        set(box, bad);
        EXPECT_TRUE(get(box)->property("invalid").toBool()) << bad;
        EXPECT_TRUE(get(box)->toolTip().endsWith("The generator is given the last valid value.")) << bad;
        EXPECT_TRUE(args().contains(kept)) << bad << " gave " << args().toStdString();
        set(box, good);
        EXPECT_EQ(get(box)->property("invalid").toBool() ? QString() : get(box)->toolTip(), tip) << good;
    }
    click("Option3_0");
    EXPECT_EQ(args(), folder.path() + "/freqgen");
}

// The old way, kept as a setting: freqgen started on its own inside a terminal window.
TEST_F(Manager, RunReportsFailuresThenWritesTheRunFileAndStartsTheGenerator) {
    state.PlayInTerminal = true;
    setSteps(state, {{1, 1000, 180}});
    click("Command16"); // no generator in the folder
    installFreqgen();
    platform.startSucceeds = false;
    click("Command16");
    QFile::remove(folder.file(QStringLiteral("default.run")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("default.run"))); // cannot be written
    click("Command16");
    const QStringList said = platform.messageTexts();
    EXPECT_TRUE(said.size() == 3 && said[0].contains(folder.path() + "/freqgen") &&
                said[1].contains("freqgen") && said[2].contains("default.run"))
        << said.join(u'|').toStdString();
    EXPECT_EQ(platform.started.size(), 1); // only the failed start

    QDir(folder.path()).rmdir(QStringLiteral("default.run"));
    platform.startSucceeds = true;
    platform.executables[QStringLiteral("x-terminal-emulator")] = QStringLiteral("/usr/bin/xte");
    click("Command16");
    EXPECT_EQ(platform.messages.size(), 3);
    EXPECT_TRUE(folder.read(QStringLiteral("default.run")).endsWith("05.01.16\r\n1000,180\r\n"));
    EXPECT_NE(windows.find(QStringLiteral("Form12")), nullptr); // the key commands
    const auto& run = platform.started.value(1);
    EXPECT_EQ(QStringList({run.program, run.workingFolder}) + run.arguments.mid(0, 3),
              QStringList({"/usr/bin/xte", folder.path(), "-e", folder.path() + "/freqgen", "-vl"}));
}

TEST_F(Manager, CalibrationSavesItsTableGeneratesItsProgramAndRunCorrects) {
    panel.openCalibrationWindow();
    QWidget* window = windows.find(QStringLiteral("Form21"));
    auto* save = child<QAbstractButton>(window, "Command4");
    EXPECT_FALSE(save->isEnabled());
    child<QLineEdit>(window, "Text1_2")->setText(QStringLiteral("610"));
    EXPECT_EQ(child<QLabel>(window, "Label3_2")->text(), "-10.000"); // the difference follows the box
    child<QLineEdit>(window, "Text1_25")->clear();
    save->click(); // an empty box is no measurement
    EXPECT_TRUE(platform.messageTexts().value(0).contains("25kHz"));
    EXPECT_EQ(state.calibration.CalibrationOn, 0);
    child<QLineEdit>(window, "Text1_25")->setText(QStringLiteral("25000"));
    child<QLineEdit>(window, "Text1_3")->setText(QStringLiteral("1010"));
    child<QAbstractButton>(window, "Option1_0")->click();
    save->click();
    EXPECT_FALSE(save->isEnabled());
    child<QAbstractButton>(window, "Command2")->click();
    EXPECT_EQ(state.program.cells().back(), (GridRowText{"26", "25000", "15"}));

    installFreqgen();
    setSteps(state, {{1, 800, 180}, {2, 0, 15}});
    click("Command16");
    EXPECT_TRUE(folder.read(QStringLiteral("default.run")).endsWith("\r\n790,180\r\n1,15\r\n"));
}

// Through the main window: Save and Load, by keyboard once (Enter presses Save or Load, Esc closes, a list
// taking the focus selects nothing by itself). Load checks a whole file before any of it is used; a
// program file's text never reaches the generator's command line unchecked.
TEST(ProgramFiles, SaveAndLoadThroughTheMainWindowNeverHalfLoad) {
    SonoHarness sono;
    sono.folder.createDatabase({});
    sono.folder.write(
        QStringLiteral("victim.prg"),
        "\"0.5 --wav /tmp/victim\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n1,100,60\r\n");
    // Wave type 3 comes only from files.
    sono.folder.write(QStringLiteral("half.prg"),
                      "\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n3\r\n12.5\r\n5\r\n2\r\n0\r\n0\r\n");
    MainWindow* main = sono.start();
    auto args = [&] { return child<QLineEdit>(main, "Text9")->text(); };
    auto load = [&](const char* name) {
        child<QAbstractButton>(main, "Command15")->click();
        auto* list = child<QListWidget>(sono.window("Form11"), "List1");
        list->setCurrentItem(list->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0));
        child<QAbstractButton>(sono.window("Form11"), "Command1_0")->click();
    };
    auto* wave = child<QComboBox>(main, "Combo2");
    wave->setCurrentIndex(2);
    emit wave->activated(2);
    child<QLineEdit>(main, "Text7_1")->setText(QStringLiteral("2"));
    child<QAbstractButton>(main, "Check6")->click();
    child<QAbstractButton>(main, "Option1_1")->click();
    setSteps(sono.state, {{3, 2000, 60}, {1, 528, 180}, {2, .5f, 30}});
    child<QAbstractButton>(main, "Command14")->click();
    QPointer<QWidget> save = sono.window("Form10");
    child<QLineEdit>(save, "Text1")->setText(QStringLiteral("test"));
    press(save, child<QLineEdit>(save, "Text1"), Qt::Key_Return);
    EXPECT_TRUE(sono.folder.read(QStringLiteral("test.prg")).startsWith("\"0.5\"\r\n\"1 \"\r\n"));
    EXPECT_EQ(rows(child<QListWidget>(save, "List1")),
              QStringList({"default", "half", "test", "victim"})); // refilled
    EXPECT_EQ(child<QGroupBox>(main, "Frame6")->title(), " File : test");
    press(save, child<QListWidget>(save, "List1"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(save.isNull());

    wave->setCurrentIndex(1);
    emit wave->activated(1);
    child<QLineEdit>(main, "Text7_1")->setText(QStringLiteral("0.3"));
    setSteps(sono.state, {{1, 10, 10}, {2, 20, 20}});
    const QString before = args();
    load("victim");
    const QString said = sono.platform.messageTexts().value(0);
    EXPECT_TRUE(said.contains("victim.prg, line 1") && said.endsWith("Nothing was loaded."))
        << said.toStdString();
    EXPECT_EQ(args(), before);
    EXPECT_EQ(sono.state.program.table().StepCount, 2);

    QPointer<QWidget> window = sono.window("Form11");
    press(window, child<QListWidget>(window, "List1"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    child<QAbstractButton>(main, "Command15")->click();
    window = sono.window("Form11");
    auto* list = child<QListWidget>(window, "List1");
    press(window, child<QWidget>(window, "Command2"),
          Qt::Key_Tab); // round to the list: its first row is current
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Return); // nothing chosen: nothing loaded
    EXPECT_EQ(args(), before);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(child<QLabel>(window, "Label2")->text(), "Selected file : test");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(main, "Text7_1")->text() + args(), "1 -vl 0.5 -vr 1  -r -l=r -T -f test");
    auto* grid = child<QTableWidget>(main, "Fgrid");
    EXPECT_EQ(rows(grid) + rows(grid, 1), QStringList({"3", "1", "2", "2000", "528", ".5"}));
    EXPECT_TRUE(child<QAbstractButton>(main, "Option1_1")->isChecked() && wave->currentIndex() == 2);
    EXPECT_TRUE(child<QWidget>(main, "Command16")->isEnabled());

    // The phase is rounded to the slider and written back; the triangle is drawn; Run waits for steps.
    load("half");
    EXPECT_EQ(child<QLineEdit>(main, "Text10")->text() + args(), "12-vl 0.5 -vr 0.5 -P 12 -p 5 -f half");
    EXPECT_EQ(main->findChild<WaveDisplayWidget*>()->traces().at(0).points.back(), QPointF(2062.5, 50));
    EXPECT_FALSE(child<QWidget>(main, "Command16")->isEnabled());
    main->tabs()->setCurrentIndex(1);
    screenshot(main, QStringLiteral("freqgen-tab"));
}
