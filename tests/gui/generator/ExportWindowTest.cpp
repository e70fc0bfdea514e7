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
#include <algorithm>
#include <span>

using namespace sono;
using namespace sono::test;

namespace {

// A stand-in generator: it writes its arguments and the run file it was given into FILE.part, then
// fails when a file "fail" in the folder says so, or moves FILE.part to FILE.
constexpr const char* StandIn = R"(#!/bin/sh
out=$2
for last; do :; done
{ echo "$@"; cat "$last"; } > "$out.part"
if [ -e fail ]; then echo "freqgen: no sound device today" >&2; exit 4; fi
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

TEST_F(Export, WritesRunsFileAndOptionsAndShowsTheGeneratorsError) {
    state.calibration.CalibrationOn = 1;
    state.calibration.CalTable[2] = 610;
    state.calibration.CalTable[3] = 1010;
    state.program.load({{1, 800, 60}, {2, 0, 30}}, 2);
    ASSERT_TRUE(exportTo("out.wav"));
    const QByteArray run = folder.read(QStringLiteral("default.run"));
    EXPECT_TRUE(run.endsWith("\r\n790,60\r\n1,30\r\n")) << run.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("out.wav")), "--out " +
                                                          folder.file(QStringLiteral("out.wav")).toUtf8() +
                                                          " -vl 0.5 -vr 0.5 -r -f default.run\n" + run);

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

    state.program.load(std::vector<ProgramStep>(20, {1, 1000, 30000}), 2);
    platform.fileNames.push_back(folder.file(QStringLiteral("long.ogg")));
    child<QAbstractButton>(&panel, "Export")->click();
    auto* progress = child<QProgressDialog>(&panel, QStringLiteral("BackgroundProgress"));
    ASSERT_TRUE(progress && QTest::qWaitFor([&] { return progress->value() > 0; }, 10000));
    progress->findChild<QPushButton*>()->click();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(folder.exists(QStringLiteral("long.ogg")) || folder.exists(QStringLiteral("long.ogg.part")));
    EXPECT_EQ(platform.messages.size(), 3); // one for each format, none for the cancelled one
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
    QHelpEvent help(QEvent::ToolTip, QPoint(strip->width() - 12, 20), strip->mapToGlobal(QPoint(0, 0)));
    QApplication::sendEvent(strip, &help);
    EXPECT_EQ(QToolTip::text(), "Step 40: 0 Hz for 2 min");

    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
    main->setPalette(dark);
    screenshot(main, QStringLiteral("freqgen-tab-strip-dark"));
    // Bars and background in the dark theme's colours, not the light ones they were first drawn in.
    const QImage picture = strip->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const std::span pixels(reinterpret_cast<const QRgb*>(picture.constBits()), picture.sizeInBytes() / 4);
    EXPECT_GT(std::ranges::count(pixels, dark.color(QPalette::Highlight).rgb()), 36 * 3 * 5);
    EXPECT_GT(std::ranges::count(pixels, dark.color(QPalette::Base).rgb()), std::ssize(pixels) / 2);
}
