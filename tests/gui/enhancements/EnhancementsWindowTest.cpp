#include "core/app/AppState.h"
#include "core/enhancements/ProgramGenerators.h"
#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/enhancements/HarmoniserWindow.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <clocale>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

enum Item { Sweep, Harmonise, Nuke, ReallyNuke, Offsets, Meditation };
using Boxes = std::initializer_list<std::pair<const char*, const char*>>;

class Enhancements : public ::testing::Test, public SonoHarness {
protected:
    void SetUp() override {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
        start();
        ASSERT_NE(main, nullptr);
        panel = main->enhancementsPanel();
    }

    // A program from `from` to `to` Hz, a minute a step.
    void setTable(QStringView from, QStringView to, QStringView step = u"1") {
        ASSERT_TRUE(
            state.program.generate([&](ProgramTable& t) { return makeSweep(t, from, to, step, u"60"); }));
    }

    // Chooses an item as the user does, through the drop-down's activation.
    QWidget* choose(Item item, const char* form) {
        emit panel->chooser()->activated(item);
        return window(form);
    }

    // Types into the window's boxes, presses the button and lets a window that closed itself go.
    static void press(QWidget* w, const char* button, Boxes boxes = {}) {
        for (const auto& [name, text] : boxes)
            child<QLineEdit>(w, name)->setText(QString::fromLatin1(text));
        child<QPushButton>(w, button)->click();
        QTest::qWait(1);
    }

    QStringList summary() const { return rows(panel->summary()); }
    QString duration() const { return main->findChild<QLabel*>(QStringLiteral("Label6"))->text(); }
    QTableWidget* grid() const { return main->programPanel()->grid(); }
    QString cell(int row) const { return grid()->item(row, 1)->text(); }

    EnhancementsPanel* panel = nullptr;
};

} // namespace

TEST_F(Enhancements, ChooserOffersSixItemsAndRefusesTooShortTables) {
    QComboBox* chooser = panel->chooser();
    EXPECT_EQ(chooser->placeholderText(), "Select Program");
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    EXPECT_EQ(items, QStringList({"Sweep", "Harmonise", "Nuke'em", "Really Nuke'em",
                                  "Off-sets Brackets Octaves", "Chakra Charging : Meditation"}));

    EXPECT_EQ(choose(Offsets, "Form16"), nullptr);
    setTable(u"1", u"4");
    EXPECT_EQ(choose(Harmonise, "Form17"), nullptr);
    EXPECT_EQ(
        platform.messageTexts(),
        QStringList({"Offset, Bracket & Octave enhancements require you have at least 1 frequency in the "
                     "Program Table.",
                     "You need 5 or more Frequencies in the Program Table to use Harmonise!"}));
    EXPECT_EQ(platform.messages.first().title, "Sono12");
    EXPECT_TRUE(main->isEnabled());
    setTable(u"1", u"5");
    EXPECT_NE(choose(Harmonise, "Form17"), nullptr);
    setTable(u"1", u"1");
    EXPECT_NE(choose(Offsets, "Form16"), nullptr);
    EXPECT_EQ(platform.messages.size(), 2);
}

TEST_F(Enhancements, SweepKeepsItsSummaryWhenChosenAgainAndClearsTheTable) {
    panel->addSummary({QStringLiteral("older line")});
    QWidget* sweep = choose(Sweep, "Form13");
    ASSERT_NE(sweep, nullptr);
    EXPECT_TRUE(summary().isEmpty()); // a newly opened window starts a fresh summary
    press(sweep, "Command2", {{"Text1", "100"}, {"Text2", "200"}, {"Text3", "10"}, {"Text4", "60"}});
    EXPECT_EQ(grid()->rowCount(), 11);
    EXPECT_EQ(duration(), "Duration: 11.0 minutes");
    EXPECT_TRUE(grid()->isEnabled());
    const QStringList lines = summary();
    EXPECT_EQ(lines.size(), 5);
    screenshot(sweep, QStringLiteral("Form13"));
    EXPECT_EQ(choose(Sweep, "Form13"), sweep);
    EXPECT_EQ(summary(), lines);

    press(sweep, "Command3"); // Clear Table
    EXPECT_EQ(grid()->rowCount(), 0);
    EXPECT_EQ(duration(), "Duration: .0 minutes");
    EXPECT_FALSE(grid()->isEnabled());
    press(sweep, "Command1");
    EXPECT_EQ(window("Form13"), nullptr);
}

TEST_F(Enhancements, NukeIgnoresSmallTargetsReadsADotUnderAnyLocaleAndReallyNukeWarns) {
    QWidget* nuke = choose(Nuke, "Form14");
    ASSERT_NE(nuke, nullptr);
    screenshot(nuke, QStringLiteral("Form14"));
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    std::setlocale(LC_ALL, "de_DE.UTF-8"); // where that locale is installed; Qt's default is German anyway
    press(nuke, "Command1", {{"Text1", "0.5"}});
    EXPECT_EQ(window("Form14"), nuke);
    EXPECT_TRUE(platform.messages.isEmpty());
    press(nuke, "Command1", {{"Text1", "727.5"}});
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(previous);
    EXPECT_EQ(window("Form14"), nullptr);
    EXPECT_EQ(cell(6), "730.5");
    EXPECT_EQ(duration(), "Duration: 21.0 minutes");
    EXPECT_EQ(summary(), QStringList({"Nuke'em", "Target Freq:  727.5Hz", "Sweep: 724.5 to 730.5Hz"}));

    QWidget* really = choose(ReallyNuke, "Form15");
    ASSERT_NE(really, nullptr);
    EXPECT_EQ(child<QLabel>(really, "Label1")->text(), "WARNING !");
    screenshot(really, QStringLiteral("Form15"));
    press(really, "Command2", {{"Text1", "4.9"}});
    EXPECT_EQ(platform.messageTexts(), QStringList({"Requires a frequency 5Hz or higher!"}));
    press(really, "Command2", {{"Text1", "5"}});
    EXPECT_EQ(window("Form15"), nullptr);
    EXPECT_EQ(grid()->rowCount(), 1);
    EXPECT_EQ(summary().value(2), "Sweep: 2 to 8Hz");
}

TEST_F(Enhancements, OffsetWindowDisablesTheMainWindowAndRestoresTheOpeningProgram) {
    setTable(u"100", u"200", u"100");
    QWidget* sweep = choose(Sweep, "Form13");
    panel->addSummary({QStringLiteral("older line")});
    QWidget* offsets = choose(Offsets, "Form16");
    ASSERT_NE(offsets, nullptr);
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(offsets->isEnabled());
    EXPECT_TRUE(summary().isEmpty());
    screenshot(offsets, QStringLiteral("Form16"));

    press(offsets, "Command3"); // Add Offset with the preset 1
    child<QRadioButton>(offsets, "Option1_0")->click();
    press(offsets, "Command3", {{"Text1", "2"}});
    EXPECT_EQ(grid()->rowCount(), 8);
    EXPECT_EQ(summary(), QStringList({"Offset  1 added", "Bracket  2 added"}));
    press(offsets, "Command2"); // Octave Up
    EXPECT_EQ(cell(0), "200");

    // The Sweep window stays usable beside it and may replace the table meanwhile.
    press(sweep, "Command2", {{"Text1", "30"}, {"Text2", "30"}, {"Text3", "30"}, {"Text4", "30"}});
    EXPECT_EQ(state.program.table().StepCount, 1);
    child<QRadioButton>(offsets, "Option2_2")->click();
    press(offsets, "Command2"); // Restore
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(cell(1), "200");
    EXPECT_EQ(state.program.table().StepTime[2], 60);

    offsets->close(); // the close box
    QTest::qWait(1);
    EXPECT_EQ(window("Form16"), nullptr);
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(Enhancements, HarmoniserOnlyShowsAndMayCloseBeforeItsFirstDrawing) {
    setTable(u"1", u"5");
    panel->addSummary({QStringLiteral("kept line")});
    auto* harmoniser = static_cast<HarmoniserWindow*>(choose(Harmonise, "Form17"));
    ASSERT_NE(harmoniser, nullptr);
    EXPECT_FALSE(harmoniser->chartBaseDrawn());
    harmoniser->close();
    QTest::qWait(300); // past the drawing that the closed window would have done
    EXPECT_EQ(window("Form17"), nullptr);

    harmoniser = static_cast<HarmoniserWindow*>(choose(Harmonise, "Form17"));
    ASSERT_NE(harmoniser, nullptr);
    QTest::qWait(300);
    EXPECT_TRUE(harmoniser->chartBaseDrawn());
    auto* patterns = child<QComboBox>(harmoniser, "Combo1");
    EXPECT_EQ(patterns->count(), 6);
    patterns->setCurrentIndex(4);
    press(harmoniser, "Command2");
    screenshot(harmoniser, QStringLiteral("Form17"));
    EXPECT_EQ(summary(), QStringList({"kept line"}));
    EXPECT_EQ(state.program.table().StepCount, 5);
    EXPECT_EQ(cell(4), "5");
}

TEST_F(Enhancements, MeditationBuildsTwentyMinutesFromItsDefaultNotesAndItsAboutWindowStays) {
    QWidget* meditation = choose(Meditation, "Form19");
    ASSERT_NE(meditation, nullptr);
    screenshot(meditation, QStringLiteral("Form19"));
    press(meditation, "Command2");
    EXPECT_EQ(grid()->rowCount(), 1200);
    EXPECT_EQ(duration(), "Duration: 20.0 minutes");
    EXPECT_EQ(summary().value(7), "Freq:  7 = 494Hz"); // the default notes

    press(meditation, "Command3");
    QWidget* about = window("Form20");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->windowTitle(), "Sono About: CC-Meditation");
    screenshot(about, QStringLiteral("Form20"));
    meditation->close();
    QTest::qWait(1);
    EXPECT_NE(window("Form20"), nullptr);
}

// On a dark desktop the pictures and the invalid-field colour follow the theme instead of painting
// light islands with black lines.
TEST_F(Enhancements, PicturesAndTheInvalidFieldFollowADarkTheme) {
    struct Restore {
        QPalette light = QApplication::palette();
        ~Restore() { QApplication::setPalette(light); }
    } restore;
    QPalette dark = restore.light;
    for (auto [role, colour] : {std::pair{QPalette::Base, QColor(30, 30, 30)},
                                {QPalette::Window, QColor(45, 45, 45)},
                                {QPalette::Mid, QColor(70, 70, 70)},
                                {QPalette::Button, QColor(50, 50, 50)},
                                {QPalette::Text, QColor(235, 235, 235)},
                                {QPalette::WindowText, QColor(235, 235, 235)}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    QTest::qWait(1); // the change reaches open windows through the event queue
    // Mostly the background colour, with some light drawing on it.
    const auto followsTheme = [](QWidget* w, QColor background) {
        const QImage image = w->grab().toImage();
        int same = 0, lightDots = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                same += c == background;
                lightDots += c.lightness() > 180;
            }
        return same * 2 > image.width() * image.height() && lightDots > 0;
    };
    EXPECT_TRUE(
        followsTheme(main->findChild<QWidget*>(QStringLiteral("Picture1_0")), dark.color(QPalette::Base)));
    EXPECT_TRUE(
        followsTheme(main->findChild<QWidget*>(QStringLiteral("Picture2")), dark.color(QPalette::Base)));
    setTable(u"1", u"5");
    QWidget* harmoniser = choose(Harmonise, "Form17");
    ASSERT_NE(harmoniser, nullptr);
    QTest::qWait(300); // the chart's base lines follow a 200 ms timer
    EXPECT_TRUE(followsTheme(child<QWidget>(harmoniser, "Picture1"), dark.color(QPalette::Mid)));

    auto* phase = main->findChild<QLineEdit*>(QStringLiteral("Text10"));
    phase->setText(QStringLiteral("x"));
    phase->setText(QStringLiteral("xy")); // marking twice must not darken the tint further
    const QColor marked = phase->grab().toImage().pixelColor(phase->width() / 2, phase->height() - 4);
    EXPECT_LT(marked.lightness(), 128);
    EXPECT_GT(marked.red(), marked.green() + 10);
    EXPECT_EQ(marked, QColor((30 * 3 + 255) / 4, 30 * 3 / 4, 30 * 3 / 4));
}
