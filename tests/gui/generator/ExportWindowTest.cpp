#include "core/generator/ProgramFile.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "support/SonoHarness.h"

#include <QFile>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QTest>

using namespace sono;
using namespace sono::test;

namespace {

// A stand-in generator: it writes its arguments and the run file it was given into FILE.part, then
// fails for a FILE named bad, or moves FILE.part to FILE.
constexpr const char* StandIn = R"(#!/bin/sh
out=$2
for last; do :; done
{ echo "$@"; cat "$last"; } > "$out.part"
case $out in *bad*) echo "freqgen: no sound device today" >&2; exit 4 ;; esac
mv "$out.part" "$out"
)";

struct Export : ::testing::Test, WindowServices {
    Export() {
        state.AppPath = folder.path();
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
    const QByteArray run = folder.read(QStringLiteral("default.run")), out = folder.file("out.wav").toUtf8();
    EXPECT_TRUE(run.endsWith("\r\n790,60\r\n1,30\r\n")) << run.toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("out.wav")),
              "--out " + out + " -vl 0.5 -vr 0.5 -r -f default.run\n" + run);

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
    const QString freqgen = folder.file(QStringLiteral("freqgen"));
    ASSERT_TRUE(QFile::remove(freqgen) && QFile::copy(QStringLiteral(SONO_TEST_APP_DIR "/freqgen"), freqgen));
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
