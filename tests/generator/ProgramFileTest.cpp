#include "generator/ProgramFile.h"

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
