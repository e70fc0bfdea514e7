#include "core/generator/ProgramFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

TEST(ProgramFile, DefaultProgramBytes) {
    EXPECT_EQ(programFileBytes(defaultProgram()),
              QByteArray("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n"));
}

TEST(ProgramFile, SavedProgramListIsSortedAndLimited) {
    QTemporaryDir dir;
    for (const char* name : {"zeta.prg", "Alpha.PRG", "beta.prg", "notes.txt", "default.prg", ".prg"})
        ASSERT_TRUE(QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    QDir(dir.path()).mkdir(QStringLiteral("folder.prg"));
    EXPECT_EQ(savedProgramNames(dir.path()), QStringList({"Alpha", "beta", "default", "zeta"}));
    EXPECT_EQ(savedProgramNames(dir.path(), 2), QStringList({"Alpha", "beta"}));
}

// Volumes and gating reach the generator's command line: a file's values pass the checks of the boxes.
TEST(ProgramFile, VolumesAndGatingPassTheBoxChecksOrLoadRefusesAndStartUpFallsBack) {
    const QByteArray steps("1,528,180\r\n");
    const QByteArray header = programFileBytes(defaultProgram());
    const QByteArray victim =
        QByteArray(header).replace("\"0.5\"\r\n\"0.5\"", "\"0.5\"\r\n\"0.5 --wav /tmp/victim\"");
    const QByteArray fast = QByteArray(header).replace("\r\n0\r\n0\r\n2\r\n", "\r\n0\r\n5000\r\n2\r\n");
    ASSERT_NE(victim, header);
    ASSERT_NE(fast, header);

    const auto refused = parseProgramFile(victim + steps, QStringLiteral("a.prg"));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(),
              "a.prg, line 2: \"0.5 --wav /tmp/victim\" is not a volume: use a number from 0 to 1.");
    const auto tooFast = parseProgramFile(fast, QStringLiteral("a.prg"));
    ASSERT_FALSE(tooFast);
    EXPECT_TRUE(tooFast.error().startsWith("a.prg, line 8: \"5000\" is not a gating rate"))
        << tooFast.error().toStdString();

    const auto fallback =
        parseProgramFile(victim + steps, QStringLiteral("default.prg"), ProgramRead::Startup);
    ASSERT_TRUE(fallback) << fallback.error().toStdString();
    EXPECT_EQ(fallback->header.VolRight, "0.5");
    EXPECT_EQ(fallback->steps.size(), 1u);
    EXPECT_TRUE(fallback->notice.startsWith("default.prg, line 2: ")) << fallback->notice.toStdString();
    EXPECT_TRUE(fallback->notice.contains("Sono uses 0.5 instead")) << fallback->notice.toStdString();
    const auto slower = parseProgramFile(fast, QStringLiteral("default.prg"), ProgramRead::Startup);
    ASSERT_TRUE(slower);
    EXPECT_EQ(slower->header.Gating, 0);
    EXPECT_TRUE(slower->notice.contains("line 8")) << slower->notice.toStdString();
    EXPECT_TRUE(parseProgramFile(header, QStringLiteral("a.prg"), ProgramRead::Startup)->notice.isEmpty());
}
