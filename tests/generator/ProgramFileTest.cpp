#include "generator/ProgramFile.h"
#include "generator/GeneratorSettings.h"
#include "program/ProgramTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

TEST(ProgramFile, DefaultProgramBytes) {
    EXPECT_EQ(programFileBytes(defaultProgram()),
              QByteArray("\"0.5\"\r\n\"0.5\"\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n1\r\n"));
}

TEST(ProgramFile, StateRoundTripKeepsClampedVolumeLabelsAndOrder) {
    GeneratorSettings g;
    g.VolLeft = QStringLiteral("0.8");
    g.VolRight = QStringLiteral("1 ");
    g.WaveType = 2;
    g.Phase = 12.5f;
    g.Gating = 10;
    g.SortMode = 1;
    g.LeftEqualsRight = 1;
    g.RecordSession = 0;
    ProgramTable t;
    t.StepCount = 3;
    const float freqs[] = {0, 7.83f, 1000, .5f};
    for (int i = 1; i <= 3; ++i) {
        t.StepNo[size_t(i)] = qint16(4 - i);
        t.StepFreq[size_t(i)] = freqs[i];
        t.StepTime[size_t(i)] = qint16(60 * i);
    }
    const QByteArray bytes = programFileBytes(programFromState(g, t));
    EXPECT_EQ(bytes, QByteArray("\"0.8\"\r\n\"1 \"\r\n1\r\n1\r\n0\r\n2\r\n12.5\r\n10\r\n1\r\n1\r\n0\r\n"
                                "3,7.83,60\r\n2,1000,120\r\n1,.5,180\r\n"));
    const auto back = parseProgramFile(bytes, QStringLiteral("t.prg"));
    ASSERT_TRUE(back) << back.error().toStdString();
    EXPECT_EQ(back->header.VolRight, "1 ");
    EXPECT_EQ(back->header.Phase, 12.5f);
    EXPECT_EQ(back->header.SortMode, 1);
    ASSERT_EQ(back->steps.size(), 3u);
    EXPECT_EQ(back->steps[0].no, 3);
    EXPECT_EQ(back->steps[2].freq, .5f);
    EXPECT_EQ(back->steps[2].time, 180);
}

TEST(ProgramFile, SavedProgramListIsSortedAndLimited) {
    QTemporaryDir dir;
    for (const char* name : {"zeta.prg", "Alpha.PRG", "beta.prg", "notes.txt", "default.prg", ".prg"}) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.prg"));
    EXPECT_EQ(savedProgramNames(dir.path()), QStringList({"Alpha", "beta", "default", "zeta"}));
    EXPECT_EQ(savedProgramNames(dir.path(), 2), QStringList({"Alpha", "beta"}));
}
