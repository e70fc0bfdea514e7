#include "core/generator/ProgramFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

// Each header line holds its own setting: the values differ from the default program's line by line.
TEST(ProgramFile, HeaderLinesInFileOrderAndBack) {
    EXPECT_EQ(programFileBytes(defaultProgram()),
              QByteArray("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n"));
    const QByteArray bytes(
        "\"0.8\"\r\n\"1 \"\r\n0\r\n1\r\n1\r\n3\r\n12.25\r\n10\r\n1\r\n1\r\n0\r\n2,7.83,60\r\n1,.5,-5\r\n");
    const auto back = parseProgramFile(bytes, QStringLiteral("x.prg"), ProgramRead::Startup).value();
    EXPECT_EQ(back.header, (ProgramSettings{"0.8", "1 ", 0, 1, 1, 3, 12.25f, 10, 1, 1, 0}));
    EXPECT_EQ(programFileBytes(back), bytes);
    EXPECT_EQ(back.notice, "");
}

TEST(ProgramFile, SavedProgramListIsSortedAndLimited) {
    QTemporaryDir dir;
    for (const char* name : {"zeta.prg", "Alpha.PRG", "beta.prg", "notes.txt", "default.prg", ".prg"})
        ASSERT_TRUE(QFile(dir.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    QDir(dir.path()).mkdir(QStringLiteral("folder.prg"));
    EXPECT_EQ(savedProgramNames(dir.path()), QStringList({"Alpha", "beta", "default", "zeta"}));
    EXPECT_EQ(savedProgramNames(dir.path(), 2), QStringList({"Alpha", "beta"}));
}

// Volumes and gating reach the generator's command line: Load refuses what their boxes refuse; start-up
// keeps the steps, uses the default value instead and says so.
TEST(ProgramFile, VolumesAndGatingPassTheBoxChecks) {
    const QByteArray header = programFileBytes(defaultProgram());
    const QByteArray steps("1,528,180\r\n");
    const std::tuple<QByteArray, QByteArray, QString, QLatin1String> rows[] = {
        {"\"0.5\"\r\n1", "\"0.5 --wav /tmp/victim\"\r\n1",
         "a.prg, line 2: \"0.5 --wav /tmp/victim\" is not a volume: use a number from 0 to 1.",
         QLatin1String("0.5")},
        {"0\r\n0\r\n2\r\n", "0\r\n5000\r\n2\r\n",
         "a.prg, line 8: \"5000\" is not a gating rate: use a whole number from 0 to 1000.",
         QLatin1String("0")},
    };
    for (const auto& [from, to, error, fallback] : rows) {
        const QByteArray file = QByteArray(header).replace(from, to) + steps;
        const auto refused = parseProgramFile(file, QStringLiteral("a.prg"));
        EXPECT_TRUE(!refused && refused.error() == error) << error.toStdString();
        const auto started = parseProgramFile(file, QStringLiteral("a.prg"), ProgramRead::Startup).value();
        EXPECT_EQ(programFileBytes(started), header + steps);
        EXPECT_EQ(started.notice,
                  error + " Sono uses " + fallback + " instead; the file is left as it is.\n");
    }
}
