#include "app/AppState.h"
#include "enhancements/EnhancementsPanel.h"
#include "enhancements/HarmoniserWindow.h"
#include "program/ProgramGridPanel.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <clocale>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

enum Item { Sweep, Harmonise, Nuke, ReallyNuke, Offsets, Meditation };

class Enhancements : public ::testing::Test {
protected:
    void SetUp() override {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
        state.folder = AppFolder(folder.path());
        main = startSono(session);
        ASSERT_NE(main, nullptr);
        panel = main->enhancementsPanel();
    }

    void setTable(std::initializer_list<float> hz) {
        ProgramTable& t = state.program;
        t.StepCount = 0;
        for (float f : hz) {
            ++t.StepCount;
            t.StepFreq[static_cast<size_t>(t.StepCount)] = f;
            t.StepTime[static_cast<size_t>(t.StepCount)] = 60;
            t.StepNo[static_cast<size_t>(t.StepCount)] = t.StepCount;
        }
        main->fgArrayToTable();
    }

    // Chooses an item as the user does, through the drop-down's activation.
    QWidget* choose(Item item, const char* form) {
        emit panel->chooser()->activated(item);
        return main->windows().find(QString::fromLatin1(form));
    }

    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    static void wait(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    template <class W> static W* child(QWidget* w, const char* name) {
        W* found = w->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QStringList summary() const {
        QStringList lines;
        for (int i = 0; i < panel->summary()->count(); ++i)
            lines << panel->summary()->item(i)->text();
        return lines;
    }
    QString duration() const { return main->findChild<QLabel*>(QStringLiteral("Label6"))->text(); }
    int gridRows() const { return main->programPanel()->grid()->rowCount(); }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    Session session{state, platform};
    MainWindow* main = nullptr;
    EnhancementsPanel* panel = nullptr;
};

} // namespace

TEST_F(Enhancements, ChooserShowsItsPlaceholderAndSixItems) {
    QComboBox* chooser = panel->chooser();
    EXPECT_EQ(chooser->placeholderText(), "Select Program");
    EXPECT_EQ(chooser->currentIndex(), -1);
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    EXPECT_EQ(items, QStringList({"Sweep", "Harmonise", "Nuke'em", "Really Nuke'em",
                                  "Off-sets Brackets Octaves", "Chakra Charging : Meditation"}));
    main->tabs()->setCurrentIndex(1);
    screenshot(main, QStringLiteral("main-enhancements"));
}

TEST_F(Enhancements, ChooserRefusesHarmoniseBelowFiveStepsAndOffsetsOnAnEmptyTable) {
    EXPECT_EQ(choose(Offsets, "Form16"), nullptr);
    setTable({1, 2, 3, 4});
    EXPECT_EQ(choose(Harmonise, "Form17"), nullptr);
    EXPECT_EQ(
        platform.messageTexts(),
        QStringList({"Offset, Bracket & Octave enhancements require you have at least 1 frequency in the "
                     "Program Table.",
                     "You need 5 or more Frequencies in the Program Table to use Harmonise!"}));
    EXPECT_EQ(platform.messages.first().title, "Sono12");
    EXPECT_TRUE(main->isEnabled());

    setTable({1, 2, 3, 4, 5});
    EXPECT_NE(choose(Harmonise, "Form17"), nullptr);
    setTable({1});
    QWidget* offsets = choose(Offsets, "Form16");
    ASSERT_NE(offsets, nullptr);
    EXPECT_EQ(platform.messages.size(), 2);
}

TEST_F(Enhancements, SweepGeneratesAndChoosingItAgainRaisesWithoutClearingTheSummary) {
    panel->addSummary({QStringLiteral("older line")});
    QWidget* sweep = choose(Sweep, "Form13");
    ASSERT_NE(sweep, nullptr);
    EXPECT_EQ(sweep->windowTitle(), "Sono - Sweep Function");
    EXPECT_TRUE(summary().isEmpty()); // a newly opened window starts a fresh summary
    child<QLineEdit>(sweep, "Text1")->setText(QStringLiteral("100"));
    child<QLineEdit>(sweep, "Text2")->setText(QStringLiteral("200"));
    child<QLineEdit>(sweep, "Text3")->setText(QStringLiteral("10"));
    child<QLineEdit>(sweep, "Text4")->setText(QStringLiteral("60"));
    child<QPushButton>(sweep, "Command2")->click();
    EXPECT_EQ(state.program.StepCount, 11);
    EXPECT_EQ(gridRows(), 11);
    EXPECT_EQ(main->programPanel()->grid()->item(10, 1)->text(), "200");
    EXPECT_EQ(duration(), "Duration: 11.0 minutes");
    EXPECT_TRUE(main->programPanel()->grid()->isEnabled());
    const QStringList lines{"Sweep", "Start Hz:  100", "Finish Hz:  200", "Step Hz:  10", "Time Sec:  60"};
    EXPECT_EQ(summary(), lines);
    screenshot(sweep, QStringLiteral("Form13"));

    EXPECT_EQ(choose(Sweep, "Form13"), sweep);
    EXPECT_EQ(summary(), lines);

    child<QLineEdit>(sweep, "Text2")->setText(QStringLiteral("2100"));
    child<QLineEdit>(sweep, "Text3")->setText(QStringLiteral("1"));
    child<QPushButton>(sweep, "Command2")->click();
    EXPECT_EQ(platform.messageTexts(), QStringList({"Too may frequencies, 2000 limit"}));
    EXPECT_EQ(state.program.StepCount, 11);
    EXPECT_EQ(summary(), lines);

    child<QPushButton>(sweep, "Command3")->click();
    EXPECT_EQ(state.program.StepCount, 0);
    EXPECT_EQ(gridRows(), 0);
    EXPECT_EQ(duration(), "Duration: .0 minutes");
    EXPECT_FALSE(main->programPanel()->grid()->isEnabled());
    EXPECT_EQ(state.generator.SortMode, 2);

    child<QPushButton>(sweep, "Command1")->click();
    settle();
    EXPECT_EQ(main->windows().find(QStringLiteral("Form13")), nullptr);
}

TEST_F(Enhancements, NukeClosesAfterGeneratingAndIgnoresSmallTargets) {
    QWidget* nuke = choose(Nuke, "Form14");
    ASSERT_NE(nuke, nullptr);
    screenshot(nuke, QStringLiteral("Form14"));
    auto* target = child<QLineEdit>(nuke, "Text1");
    target->setText(QStringLiteral("0.5"));
    child<QPushButton>(nuke, "Command1")->click();
    settle();
    EXPECT_EQ(main->windows().find(QStringLiteral("Form14")), nuke);
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(state.program.StepCount, 0);

    target->setText(QStringLiteral("727"));
    child<QPushButton>(nuke, "Command1")->click();
    settle();
    EXPECT_EQ(main->windows().find(QStringLiteral("Form14")), nullptr);
    EXPECT_EQ(state.program.StepCount, 7);
    EXPECT_EQ(duration(), "Duration: 21.0 minutes");
    EXPECT_EQ(summary(), QStringList({"Nuke'em", "Target Freq:  727Hz", "Sweep: 724 to 730Hz"}));
    EXPECT_DOUBLE_EQ(panel->memory().TargetFreq, 727);
}

TEST_F(Enhancements, ReallyNukeWarnsBelowFiveHertzAndLeavesTheTargetAlone) {
    setTable({100, 200});
    QWidget* really = choose(ReallyNuke, "Form15");
    ASSERT_NE(really, nullptr);
    EXPECT_EQ(child<QLabel>(really, "Label1")->text(), "WARNING !");
    screenshot(really, QStringLiteral("Form15"));
    child<QLineEdit>(really, "Text1")->setText(QStringLiteral("4.9"));
    child<QPushButton>(really, "Command2")->click();
    EXPECT_EQ(platform.messageTexts(), QStringList({"Requires a frequency 5Hz or higher!"}));
    EXPECT_EQ(state.program.StepCount, 2);

    child<QLineEdit>(really, "Text1")->setText(QStringLiteral("5"));
    child<QPushButton>(really, "Command2")->click();
    settle();
    EXPECT_EQ(main->windows().find(QStringLiteral("Form15")), nullptr);
    EXPECT_EQ(gridRows(), 1);
    EXPECT_EQ(main->programPanel()->grid()->item(0, 1)->text(), "5");
    EXPECT_EQ(summary().size(), 5);
    EXPECT_EQ(summary().at(2), "Sweep: 2 to 8Hz");
}

TEST_F(Enhancements, OffsetWindowDisablesTheMainWindowAndRestoresTheOpeningProgram) {
    setTable({100, 200});
    ASSERT_NE(choose(Sweep, "Form13"), nullptr);
    panel->addSummary({QStringLiteral("older line")});
    QWidget* offsets = choose(Offsets, "Form16");
    ASSERT_NE(offsets, nullptr);
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(offsets->isEnabled());
    EXPECT_TRUE(offsets->isWindow());
    EXPECT_TRUE(summary().isEmpty());
    screenshot(offsets, QStringLiteral("Form16"));

    child<QPushButton>(offsets, "Command3")->click(); // Add Offset with the preset 1
    child<QRadioButton>(offsets, "Option1_0")->click();
    EXPECT_EQ(child<QLabel>(offsets, "Label3")->text(), "Enter + value");
    child<QLineEdit>(offsets, "Text1")->setText(QStringLiteral("2"));
    child<QPushButton>(offsets, "Command3")->click();
    EXPECT_EQ(gridRows(), 8);
    EXPECT_EQ(main->programPanel()->grid()->item(7, 1)->text(), "198");
    EXPECT_EQ(summary(), QStringList({"Offset  1 added", "Bracket  2 added"}));

    child<QPushButton>(offsets, "Command2")->click(); // Octave Up
    EXPECT_EQ(main->programPanel()->grid()->item(0, 1)->text(), "200");

    // The Sweep window stays usable beside it and may replace the table meanwhile.
    QWidget* sweep = main->windows().open<QWidget>(QStringLiteral("Form13"), [] { return nullptr; });
    ASSERT_NE(sweep, nullptr);
    for (const char* name : {"Text1", "Text2", "Text3", "Text4"})
        child<QLineEdit>(sweep, name)->setText(QStringLiteral("30"));
    child<QPushButton>(sweep, "Command2")->click();
    EXPECT_EQ(state.program.StepCount, 1);
    EXPECT_EQ(state.program.StepTime[1], 30);
    child<QRadioButton>(offsets, "Option2_2")->click();
    child<QPushButton>(offsets, "Command2")->click();
    EXPECT_EQ(gridRows(), 2);
    EXPECT_EQ(main->programPanel()->grid()->item(1, 1)->text(), "200");
    EXPECT_EQ(state.program.StepTime[2], 60);
    EXPECT_EQ(state.program.StepFreq[1], 100);
    EXPECT_EQ(summary().last(), "Program restored");

    offsets->close(); // the close box
    settle();
    EXPECT_EQ(main->windows().find(QStringLiteral("Form16")), nullptr);
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(Enhancements, HarmoniserOnlyShowsAndMayCloseBeforeItsFirstDrawing) {
    setTable({1, 2, 3, 4, 5});
    panel->addSummary({QStringLiteral("kept line")});
    auto* harmoniser = static_cast<HarmoniserWindow*>(choose(Harmonise, "Form17"));
    ASSERT_NE(harmoniser, nullptr);
    EXPECT_FALSE(harmoniser->chartBaseDrawn());
    harmoniser->close();
    settle();
    wait(300); // past the drawing that the closed window would have done
    EXPECT_EQ(main->windows().find(QStringLiteral("Form17")), nullptr);

    harmoniser = static_cast<HarmoniserWindow*>(choose(Harmonise, "Form17"));
    ASSERT_NE(harmoniser, nullptr);
    wait(300);
    EXPECT_TRUE(harmoniser->chartBaseDrawn());
    auto* patterns = child<QComboBox>(harmoniser, "Combo1");
    EXPECT_EQ(patterns->count(), 6);
    EXPECT_EQ(patterns->placeholderText(), "Select Harmoniser");
    patterns->setCurrentIndex(4);
    child<QPushButton>(harmoniser, "Command2")->click();
    screenshot(harmoniser, QStringLiteral("Form17"));
    EXPECT_EQ(summary(), QStringList({"kept line"}));
    EXPECT_EQ(state.program.StepCount, 5);
    EXPECT_EQ(gridRows(), 5);
    EXPECT_EQ(main->programPanel()->grid()->item(4, 1)->text(), "5");
}

TEST_F(Enhancements, MeditationBuildsTwentyMinutesAndRefusesAnEmptyBox) {
    setTable({100, 200});
    QWidget* meditation = choose(Meditation, "Form19");
    ASSERT_NE(meditation, nullptr);
    EXPECT_EQ(child<QLineEdit>(meditation, "Text1_6")->text(), "494");
    screenshot(meditation, QStringLiteral("Form19"));
    child<QLineEdit>(meditation, "Text1_3")->clear();
    panel->addSummary({QStringLiteral("older line")});
    child<QPushButton>(meditation, "Command2")->click();
    EXPECT_EQ(platform.messageTexts(), QStringList({"All seven fields require a value!"}));
    EXPECT_EQ(state.program.StepCount, 2);
    EXPECT_TRUE(summary().isEmpty());

    child<QLineEdit>(meditation, "Text1_3")->setText(QStringLiteral("349"));
    child<QPushButton>(meditation, "Command2")->click();
    EXPECT_EQ(gridRows(), 1200);
    EXPECT_EQ(duration(), "Duration: 20.0 minutes");
    EXPECT_EQ(summary().size(), 8);
    EXPECT_EQ(summary().at(1), "Freq:  1 = 262Hz");

    child<QPushButton>(meditation, "Command3")->click();
    QWidget* about = main->windows().find(QStringLiteral("Form20"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Sono About: CC-Meditation");
    screenshot(about, QStringLiteral("Form20"));
    meditation->close();
    settle();
    EXPECT_NE(main->windows().find(QStringLiteral("Form20")), nullptr);
}

TEST_F(Enhancements, BoxesReadADotAsTheDecimalPointUnderAnyLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // where that locale is installed; Qt's default is German anyway
    QWidget* nuke = choose(Nuke, "Form14");
    ASSERT_NE(nuke, nullptr);
    child<QLineEdit>(nuke, "Text1")->setText(QStringLiteral("727.5"));
    child<QPushButton>(nuke, "Command1")->click();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(previous);
    EXPECT_EQ(state.program.StepFreq[1], 724.5f);
    EXPECT_EQ(main->programPanel()->grid()->item(6, 1)->text(), "730.5");
    EXPECT_EQ(summary().at(1), "Target Freq:  727.5Hz");
}
