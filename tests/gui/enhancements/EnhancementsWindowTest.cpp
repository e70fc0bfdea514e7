#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/enhancements/HarmoniserWindow.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/core/GermanLocale.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <span>

using namespace sono;
using namespace sono::test;

namespace {

enum Item { Sweep, Harmonise, Nuke, ReallyNuke, Offsets, Meditation };
using Boxes = std::vector<std::pair<const char*, const char*>>;

// A program from `from` to `to` Hz, a minute a step.
void setTable(AppState& state, QStringView from, QStringView to, QStringView step = u"1") {
    ASSERT_TRUE(state.program.generate([&](ProgramTable& t) { return makeSweep(t, from, to, step, u"60"); }));
}

// Types into the window's boxes, presses the button and lets a window that closed itself go.
void press(QWidget* w, const char* button, const Boxes& boxes = {}) {
    for (const auto& [name, text] : boxes)
        child<QLineEdit>(w, name)->setText(QString::fromLatin1(text));
    child<QPushButton>(w, button)->click();
    QTest::qWait(1);
}

// The windows alone, opened by a chooser of their own whose summary list answers their requests.
class EnhancementWindows : public ::testing::Test, public WindowServices {
protected:
    EnhancementWindows() {
        panel.fillChooser();
        QObject::connect(&requests, &Requests::summaryCleared, &panel, &EnhancementsPanel::clearSummary);
        QObject::connect(&requests, &Requests::summaryAdded, &panel, &EnhancementsPanel::addSummary);
        QObject::connect(&state.program, &ProgramDocument::changed, &panel, [this] { ++changes; });
    }
    QWidget* choose(Item item, const char* form) {
        emit panel.chooser()->activated(item);
        return windows.find(QString::fromLatin1(form));
    }
    QStringList summary() const { return rows(panel.summary()); }

    EnhancementsPanel panel{services};
    int changes = 0;
};

} // namespace

TEST_F(EnhancementWindows, ChooserOpensOrRaisesAWindowHarmoniserMayCloseEarlyOffsetsRestore) {
    EXPECT_EQ(choose(Offsets, "Form16"), nullptr);
    setTable(state, u"1", u"4");
    EXPECT_EQ(choose(Harmonise, "Form17"), nullptr);
    EXPECT_EQ(platform.messages.size(), 2); // the texts are the chooser's table
    QWidget* sweep = choose(Sweep, "Form13");
    panel.addSummary({QStringLiteral("kept line")});
    EXPECT_EQ(choose(Sweep, "Form13"), sweep); // raised, its summary kept
    EXPECT_EQ(summary(), QStringList({"kept line"}));
    setTable(state, u"1", u"5");
    choose(Harmonise, "Form17")->close(); // before its first drawing
    QTest::qWait(300);
    auto* harmoniser = static_cast<HarmoniserWindow*>(choose(Harmonise, "Form17"));
    EXPECT_EQ(child<QComboBox>(harmoniser, "Combo1")->currentIndex(), -1);
    EXPECT_FALSE(harmoniser->chartBaseDrawn());
    QTest::qWait(300);
    EXPECT_TRUE(harmoniser->chartBaseDrawn());
    EXPECT_EQ(summary(), QStringList({"kept line"})); // the one window that leaves the summary alone

    setTable(state, u"100", u"200", u"100");
    QWidget* offsets = choose(Offsets, "Form16");
    EXPECT_TRUE(summary().isEmpty());
    EXPECT_FALSE(owner.isEnabled());
    child<QRadioButton>(offsets, "Option1_0")->click();
    press(offsets, "Command3", {{"Text1", "2"}});
    EXPECT_EQ(summary(), QStringList({"Bracket  2 added"}));
    // The Sweep window stays usable beside it and may replace the table meanwhile.
    press(sweep, "Command2", {{"Text1", "30"}, {"Text2", "30"}, {"Text3", "30"}, {"Text4", "30"}});
    EXPECT_EQ(state.program.stepCount(), 1);
    child<QRadioButton>(offsets, "Option2_2")->click();
    press(offsets, "Command2"); // Restore
    EXPECT_EQ(state.program.cells(), (std::vector<GridRowText>{{"1", "100", "60"}, {"2", "200", "60"}}));
    offsets->close(); // the close box
    QTest::qWait(1);
    EXPECT_TRUE(owner.isEnabled());
    press(sweep, "Command3"); // Clear Table
    EXPECT_EQ(state.program.stepCount(), 0);
}

// Each window on the keyboard: the boxes filled, Enter in the focused one presses the default button
// once, a window that stays open goes with Esc. Numbers are read with a dot under any locale.
TEST_F(EnhancementWindows, EnterPressesTheDefaultButtonAndEscCloses) {
    setTable(state, u"1", u"5");
    GermanLocale german;
    const struct {
        Item item;
        const char* form;
        Boxes boxes; // the last one has the focus
        int steps;
        const char* said; // a line of the summary or a message afterwards, or none
        bool closedByEnter;
    } cases[] = {
        {Harmonise, "Form17", {{"Combo1", nullptr}}, 5, nullptr, 0},
        {Sweep, "Form13", {{"Text1", "1"}, {"Text2", "9"}, {"Text3", "1"}, {"Text4", "6"}}, 9, "Sweep", 0},
        {Nuke, "Form14", {{"Text1", "727.5"}}, 7, "Sweep: 724.5 to 730.5Hz", 1},
        {ReallyNuke, "Form15", {{"Text1", "5"}}, 1, "Sweep: 2 to 8Hz", 1},
        {Offsets, "Form16", {{"Text1", "2"}}, 2, "Offset  2 added", 0},
        {Meditation, "Form19", {{"Text1_0", "262"}}, 1200, "Freq:  7 = 494Hz", 0},
        // Opened by About, it outlives the meditation window.
        {Meditation, "Form20", {{"Text1", nullptr}}, 1200, nullptr, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        const int before = state.program.stepCount();
        const qsizetype messages = platform.messages.size();
        changes = 0;
        emit panel.chooser()->activated(c.item);
        QPointer<QWidget> w = windows.openWindows().constLast();
        if (w->objectName() != QLatin1String(c.form)) {
            press(w, "Command3");
            w->close();
            w = windows.find(QString::fromLatin1(c.form));
            ASSERT_NE(w, nullptr);
        }
        if (c.item == Harmonise) child<QTimer>(w, "Timer1")->stop();
        QWidget* focus = nullptr;
        for (const auto& [name, text] : c.boxes) {
            focus = child<QWidget>(w, name);
            if (text) qobject_cast<QLineEdit*>(focus)->setText(QString::fromLatin1(text));
        }
        screenshot(w, QString::fromLatin1(c.form));
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(1);
        EXPECT_EQ(changes, c.steps == before ? 0 : 1);
        EXPECT_EQ(state.program.stepCount(), c.steps);
        const QStringList heard = summary() + platform.messageTexts().mid(messages);
        EXPECT_TRUE(c.said ? heard.contains(QString::fromUtf8(c.said)) : heard.isEmpty())
            << heard.join('|').toStdString();
        EXPECT_TRUE(c.item != Harmonise || static_cast<HarmoniserWindow*>(w.data())->chartBaseDrawn());
        EXPECT_EQ(w.isNull(), c.closedByEnter);
        if (c.closedByEnter) continue;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTest::qWait(1);
        EXPECT_TRUE(w.isNull());
        EXPECT_TRUE(owner.isEnabled());
    }
}

// In a whole session: the main window's pictures and the invalid-field colour follow a dark theme instead of
// painting light islands with black lines.
TEST(EnhancementsInSono, PicturesFollowADarkTheme) {
    SonoHarness sono;
    sono.folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528})});
    MainWindow* main = sono.start();

    struct Restore {
        QPalette light = QApplication::palette();
        ~Restore() { QApplication::setPalette(light); }
    } restore;
    QPalette dark = restore.light;
    for (auto [role, colour] : {std::pair{QPalette::Base, QColor(30, 30, 30)},
                                {QPalette::Mid, QColor(70, 70, 70)},
                                {QPalette::Text, QColor(235, 235, 235)},
                                {QPalette::WindowText, QColor(235, 235, 235)}})
        dark.setColor(role, colour);
    QApplication::setPalette(dark);
    QTest::qWait(1); // the change reaches open windows through the event queue
    // Mostly the background colour, with some light drawing on it.
    const auto followsTheme = [](QWidget* w, QColor background) {
        const QImage image = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const std::span dots(reinterpret_cast<const QRgb*>(image.constBits()), image.sizeInBytes() / 4);
        return std::ranges::count(dots, background.rgb()) * 2 > std::ssize(dots) &&
               std::ranges::any_of(dots, [](QRgb dot) { return QColor(dot).lightness() > 180; });
    };
    EXPECT_TRUE(followsTheme(child<QWidget>(main, QStringLiteral("Picture1_0")), dark.color(QPalette::Base)));
    EXPECT_TRUE(followsTheme(child<QWidget>(main, QStringLiteral("Picture2")), dark.color(QPalette::Base)));
    setTable(sono.state, u"1", u"5");
    emit main->enhancementsPanel()->chooser()->activated(Harmonise);
    QTest::qWait(300); // the chart's base lines follow a 200 ms timer
    EXPECT_TRUE(followsTheme(child<QWidget>(sono.window("Form17"), "Picture1"), dark.color(QPalette::Mid)));

    auto* phase = child<QLineEdit>(main, QStringLiteral("Text10"));
    main->tabs()->setCurrentIndex(1); // FreqGen: a hidden tab is not laid out
    phase->setText(QStringLiteral("x"));
    phase->setText(QStringLiteral("xy")); // marking twice must not darken the tint further
    const QColor marked = phase->grab().toImage().pixelColor(phase->width() / 2, phase->height() - 4);
    EXPECT_EQ(marked, QColor((30 * 3 + 255) / 4, 30 * 3 / 4, 30 * 3 / 4));
}
