#include "core/generator/GeneratorPlayer.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/program/ProgramStrip.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolTip>
#include <algorithm>
#include <csignal>

using namespace sono;
using namespace sono::test;

namespace {

// Sono with the stand-in generator, which speaks freqgen's control format without a sound card.
struct Player : ::testing::Test, SonoHarness {
    Player() {
        folder.createDatabase({});
        folder.installHelpPages();
        QFile::copy(QStringLiteral(SONO_TEST_SOURCE_DIR "/tests/support/freqgen-standin.sh"),
                    folder.file(QStringLiteral("freqgen"))); // executable as it is
    }
    void begin(const std::vector<ProgramStep>& steps) {
        ASSERT_NE(start(), nullptr);
        state.program.load(steps, state.generator.SortMode);
    }
    QAbstractButton* button(const char* name) const { return child<QAbstractButton>(main, name); }
    QString label(const char* name) const { return child<QLabel>(main, name)->text(); }
    // The step label, the volume (the time label's last word), the rows marked in the grid and the strip's
    // playing position.
    QString shown() const {
        auto* grid = main->programPanel()->grid();
        QString marked;
        for (int r = 0; r < grid->rowCount(); ++r)
            if (grid->item(r, 1)->background().style() != Qt::NoBrush) marked += QString::number(r);
        return QStringLiteral("%1|%2|%3|%4")
            .arg(label("stepLabel"), label("timeLabel").section(u' ', -1), marked)
            .arg(main->findChild<ProgramStrip*>()->playingPosition());
    }
    bool playing(const QString& step) const {
        return QTest::qWaitFor([&] { return label("stepLabel") == step; }, 5000);
    }
    // The stand-in's process id while it plays; 0 once it has ended.
    pid_t generatorPid() const {
        const pid_t pid = folder.read(QStringLiteral("freqgen.pid")).trimmed().toInt();
        return pid > 0 && ::kill(pid, 0) == 0 ? pid : 0;
    }
};

} // namespace

TEST_F(Player, RunShowsThePlayingStepEachButtonReachesTheGeneratorAndStopRunAndExitEndIt) {
    begin({{1, 528, 180}, {2, 30000, 60}, {3, 100, 10}});
    EXPECT_FALSE(button("pauseButton")->isEnabled());
    button("Command16")->click();
    ASSERT_TRUE(playing("Step 1 of 3, 528 Hz"));
    // The key commands still open, and name the button beside each key.
    const QString keys = child<QTextBrowser>(window("Form12"), QStringLiteral("RichTextBox1"))->toPlainText();
    for (const char* name :
         {"backButton", "nextButton", "softerButton", "louderButton", "spreadButton", "stopButton"})
        EXPECT_TRUE(keys.contains(u'(' + button(name)->text() + QStringLiteral(" button)"))) << name;

    // The strip's marker: in the program's own time, waiting at the end of step 2 while the spread plays.
    const std::pair<const char*, const char*> presses[] = {
        {"louderButton", "Step 1 of 3, 528 Hz|0.55|0|0"},
        {"softerButton", "Step 1 of 3, 528 Hz|0.5|0|0"},
        {"nextButton", "Step 2 of 3, 30000 Hz (plays 15000 Hz)|0.5|1|180"},
        {"pauseButton", "Step 2 of 3, 30000 Hz (plays 15000 Hz), paused|0.5|1|180"},
        {"pauseButton", "Step 2 of 3, 30000 Hz (plays 15000 Hz)|0.5|1|180"},
        {"spreadButton", "Step 2 of 21, 30000 Hz (plays 15000 Hz)|0.5|1|180"},
        {"nextButton", "Step 3 of 21, 29997.2 Hz (plays 14998.6 Hz)|0.5||240"}, // a step of the spread
        {"backButton", "Step 2 of 21, 30000 Hz (plays 15000 Hz)|0.5|1|180"},
    };
    main->tabs()->setCurrentIndex(1);
    for (const auto& [name, step] : presses) {
        if (name == std::string_view("spreadButton")) screenshot(main, QStringLiteral("playing"));
        button(name)->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return shown() == step; }, 5000))
            << name << " gave " << shown().toStdString();
    }

    // A second Run asks first; Cancel keeps the first generator playing.
    const pid_t first = generatorPid();
    ASSERT_NE(first, 0);
    platform.answers = {MessageAnswer::Cancel};
    button("Command16")->click();
    EXPECT_EQ(platform.messageTexts(),
              QStringList{"Sono is still playing default.\n\nStop it and run default?"});
    EXPECT_EQ(generatorPid(), first);
    button("stopButton")->click();
    EXPECT_EQ(generatorPid(), 0);
    EXPECT_EQ(shown(), "Not playing|||-1");
    EXPECT_EQ(platform.messages.size(), 1) << platform.messageTexts().join(u'|').toStdString();

    // Exit asks the same way, and stops the generator.
    button("Command16")->click();
    ASSERT_TRUE(playing("Step 1 of 3, 528 Hz"));
    platform.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->close());
    EXPECT_EQ(generatorPid(), 0);
}

// freqgen's own words on standard error, whether it ends with an error code, dies or cannot start; of a
// long text its last lines, where freqgen's own message is.
TEST_F(Player, FreqgensErrorsAppearInAMessageBox) {
    begin({{1, 528, 180}});
    const std::pair<const char*, QString> failures[] = {
        {"noisy", "…\nALSA lib notice 12\n"},
        {"crashing", "freqgen: the sound device went away"},
        {"unstartable", "Sono could not start " + folder.file("freqgen")},
    };
    for (const auto& [name, text] : failures) {
        platform.messages.clear();
        if (name == std::string_view("unstartable")) folder.write("freqgen", "#!/no/such/shell\n");
        main->managerPanel()->setProgramName(QString::fromLatin1(name));
        button("Command16")->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !main->managerPanel()->player().isPlaying(); }, 5000));
        EXPECT_TRUE(platform.messageTexts().value(0).startsWith(text))
            << platform.messageTexts().join(u'|').toStdString();
    }
}

// The old way as a setting in sono.conf: freqgen on its own in a terminal, the transport idle.
TEST_F(Player, PlayingInATerminalIsASettingOfSonoConf) {
    folder.write(QStringLiteral("sono.conf"), "colour=blue\nplay-in-terminal=yes\n");
    platform.executables[QStringLiteral("xterm")] = QStringLiteral("/usr/bin/xterm");
    begin({{1, 528, 180}});
    button("Command16")->click();
    EXPECT_EQ(QStringList(platform.started.value(0).program) + platform.started.value(0).arguments.mid(0, 2),
              QStringList({"/usr/bin/xterm", "-e", folder.file(QStringLiteral("freqgen"))}));
    EXPECT_FALSE(main->managerPanel()->player().isPlaying());
    child<QCheckBox>(main, QStringLiteral("terminalBox"))->click();
    EXPECT_EQ(folder.read(QStringLiteral("sono.conf")), "colour=blue\nplay-in-terminal=false\n");
}

// The strip under the tab follows the table and draws its bars in the theme's own colours.
TEST_F(Player, TheStripFollowsTheTableInALightAndADarkTheme) {
    std::vector<ProgramStep> steps(40, {1, 100, 120});
    steps.back().freq = 0;
    begin(steps);
    main->resize(1040, 760);
    main->tabs()->setCurrentIndex(1);
    auto* strip = child<ProgramStrip>(main, QStringLiteral("ProgramStrip"));
    EXPECT_EQ(strip->accessibleDescription(), "40 steps, 1 h 20 min");
    QHelpEvent help(QEvent::ToolTip, QPoint(strip->width() - 12, 20), strip->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(strip, &help);
    EXPECT_EQ(QToolTip::text(), "Step 40: 0 Hz for 2 min");

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    main->setPalette(dark);
    screenshot(main, QStringLiteral("freqgen-tab-strip-dark"));
    // Bars and background in the dark theme's colours, not the light ones they were first drawn in.
    const QImage picture = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(picture.constBits());
    const auto* end = pixels + picture.width() * picture.height();
    EXPECT_GT(std::count(pixels, end, dark.color(QPalette::Highlight).rgb()), 39 * 3 * 5);
    EXPECT_GT(std::count(pixels, end, dark.color(QPalette::Base).rgb()), (end - pixels) / 2);
}
