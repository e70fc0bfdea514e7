#include "core/generator/ProgramFile.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/program/ProgramStrip.h"
#include "gui/shell/FreqGenTab.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>

using namespace sono;
using namespace sono::test;

namespace {

// A stand-in generator: it writes its arguments and the run file it was given into FILE.part, reports
// progress, and then, as files in the folder say, hangs or fails before moving FILE.part to FILE.
constexpr const char* StandIn = R"(#!/bin/sh
out=$2
for last; do :; done
printf 'progress 0 60\n' >&2
{ echo "$@"; cat "$last"; } > "$out.part"
if [ -e slow ]; then sleep 1; printf 'progress 20 60\n' >&2; exec sleep 30; fi
if [ -e fail ]; then echo "freqgen: no sound device today" >&2; exit 4; fi
printf 'progress 60 60\n' >&2
mv "$out.part" "$out"
)";

struct Export : ::testing::Test, WindowServices {
    Export() {
        state.AppPath = folder.path();
        state.BuildTitle = QStringLiteral("Sono12 - build 05.01.16");
        folder.write(QStringLiteral("freqgen"), StandIn);
        QFile::setPermissions(folder.file(QStringLiteral("freqgen")), QFile::ReadOwner | QFile::ExeOwner);
        panel.applyProgram(defaultProgram());
    }
    // Export… into `name`; true once the export has ended.
    bool exportTo(const char* name) {
        platform.fileNames.push_back(folder.file(QString::fromLatin1(name)));
        child<QAbstractButton>(&panel, "Export")->click();
        return work.busy() && finished.wait(10000);
    }

    FrequencyManagerPanel panel{services};
    QSignalSpy finished{&work, &BackgroundWork::finished};
};

} // namespace

TEST_F(Export, WritesRunsFileCancelLeavesNothingAndTheGeneratorsErrorIsShown) {
    state.calibration.CalibrationOn = 1;
    state.calibration.CalTable[2] = 610;
    state.calibration.CalTable[3] = 1010;
    state.program.load({{1, 800, 60}, {2, 0, 30}}, 2);
    child<QAbstractButton>(&panel, "Export")->click(); // the file dialog cancelled
    EXPECT_EQ(platform.fileQuestions,
              QStringList({"Export Program WAV (*.wav);FLAC (*.flac);Ogg Vorbis (*.ogg *.oga)"}));
    EXPECT_FALSE(work.busy() || folder.exists(QStringLiteral("default.run")));

    ASSERT_TRUE(exportTo("out.wav"));
    const QByteArray run = folder.read(QStringLiteral("default.run"));
    EXPECT_TRUE(run.endsWith("\r\n790,60\r\n1,30\r\n")) << run.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("out.wav")), "--out " +
                                                          folder.file(QStringLiteral("out.wav")).toUtf8() +
                                                          " -vl 0.5 -vr 0.5 -r -f default.run\n" + run);
    EXPECT_EQ(platform.messageTexts(),
              QStringList({"The program was exported to " + folder.file("out.wav") + "."}));

    // Cancel while the generator works: it is ended and nothing of the file stays.
    folder.write(QStringLiteral("slow"), {});
    platform.fileNames.push_back(folder.file(QStringLiteral("slow.flac")));
    child<QAbstractButton>(&panel, "Export")->click();
    auto* progress = child<QProgressDialog>(&panel, QStringLiteral("BackgroundProgress"));
    ASSERT_TRUE(progress && progress->isModal());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return progress->labelText().contains(QStringLiteral("left")); }, 5000));
    EXPECT_TRUE(progress->labelText().startsWith(QStringLiteral("Writing slow.flac, about ")) &&
                progress->value() == 20 && progress->maximum() == 60)
        << progress->labelText().toStdString();
    EXPECT_TRUE(folder.exists(QStringLiteral("slow.flac.part")));
    progress->findChild<QPushButton*>()->click();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(folder.exists(QStringLiteral("slow.flac")) ||
                 folder.exists(QStringLiteral("slow.flac.part")));
    EXPECT_EQ(platform.messages.size(), 1);

    // A failing generator: its own words in a message box, and no file.
    QFile::remove(folder.file(QStringLiteral("slow")));
    folder.write(QStringLiteral("fail"), {});
    ASSERT_TRUE(exportTo("bad.ogg"));
    EXPECT_EQ(platform.messageTexts().value(1), "freqgen: no sound device today\n\nNothing was exported.");
    EXPECT_FALSE(folder.exists(QStringLiteral("bad.ogg")) || folder.exists(QStringLiteral("bad.ogg.part")));

    platform.fileNames.push_back(folder.file(QStringLiteral("song.mp3")));
    child<QAbstractButton>(&panel, "Export")->click();
    EXPECT_FALSE(work.busy());
    EXPECT_TRUE(platform.messageTexts().value(2).endsWith("must end in .wav, .flac or .ogg."));
}

// The real generator: each format by its extension, and a long export cancelled midway leaves nothing.
TEST_F(Export, TheRealGeneratorWritesEachFormatAndCancels) {
    QFile::remove(folder.file(QStringLiteral("freqgen")));
    ASSERT_TRUE(
        QFile::copy(QStringLiteral(SONO_TEST_APP_DIR "/freqgen"), folder.file(QStringLiteral("freqgen"))));
    state.program.load({{1, 1000, 2}, {2, 0, 1}}, 2);
    for (const auto& [name, magic] :
         {std::pair{"short.wav", "RIFF"}, {"short.flac", "fLaC"}, {"short.OGG", "OggS"}}) {
        ASSERT_TRUE(exportTo(name));
        EXPECT_TRUE(folder.read(QString::fromLatin1(name)).startsWith(magic)) << name;
    }
    EXPECT_EQ(platform.messages.size(), 3);

    std::vector<ProgramStep> steps;
    for (qint16 i = 1; i <= 20; ++i)
        steps.push_back({i, 1000, 30000});
    state.program.load(steps, 2);
    platform.fileNames.push_back(folder.file(QStringLiteral("long.ogg")));
    child<QAbstractButton>(&panel, "Export")->click();
    auto* progress = child<QProgressDialog>(&panel, QStringLiteral("BackgroundProgress"));
    ASSERT_TRUE(progress && QTest::qWaitFor([&] { return progress->value() > 0; }, 10000));
    EXPECT_EQ(progress->maximum(), 600000);
    progress->findChild<QPushButton*>()->click();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(folder.exists(QStringLiteral("long.ogg")) || folder.exists(QStringLiteral("long.ogg.part")));
    EXPECT_EQ(platform.messages.size(), 3);
}

// The strip under the tab follows the table and draws its bars in the theme's own colours.
TEST(ProgramStripView, FollowsTheTableInALightAndADarkTheme) {
    SonoHarness sono;
    sono.folder.createDatabase({});
    MainWindow* main = sono.start();
    ASSERT_NE(main, nullptr);
    main->resize(1040, 760);
    main->tabs()->setCurrentIndex(1);
    auto* strip = child<ProgramStrip>(main, QStringLiteral("ProgramStrip"));
    std::vector<ProgramStep> steps;
    for (int i = 1; i <= 40; ++i)
        steps.push_back({static_cast<qint16>(i), i % 10 == 0 ? 0.f : 100.f * static_cast<float>(i), 120});
    sono.state.program.load(steps, 2);
    EXPECT_EQ(strip->accessibleDescription(), "40 steps, 1 h 20 min");
    strip->setPlayingPosition(1500);
    QHelpEvent help(QEvent::ToolTip, QPoint(strip->width() - 12, 20), strip->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(strip, &help);
    EXPECT_EQ(QToolTip::text(), "Step 40: 0 Hz for 2 min");
    screenshot(main, QStringLiteral("freqgen-tab-strip"));

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    dark.setColor(QPalette::Mid, QColor(0x60, 0x60, 0x60));
    main->setPalette(dark);
    const QImage picture = strip->grab().toImage();
    screenshot(main, QStringLiteral("freqgen-tab-strip-dark"));
    // Bars and background in the dark theme's colours, not the light ones they were first drawn in.
    int bar = 0;
    int base = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            bar += picture.pixelColor(x, y) == dark.color(QPalette::Highlight);
            base += picture.pixelColor(x, y) == dark.color(QPalette::Base);
        }
    }
    EXPECT_GT(bar, 36 * 3 * 5);
    EXPECT_GT(base, picture.width() * picture.height() / 2);
}
