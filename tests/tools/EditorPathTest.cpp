#include "tools/EditorPath.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

namespace {
QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

TEST(EditorPath, EmptyBoxStoresTheDefaultAndKeepsTheBufferFlag) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("sono.ini"));
    auto saved = saveEditorPath(QString(), 1, ini);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, "/usr/bin/xdg-open");
    EXPECT_EQ(readFile(ini), QByteArray("\"/usr/bin/xdg-open\"\r\n1\r\n"));
}

TEST(EditorPath, TypedTextIsStoredUnchanged) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("sono.ini"));
    auto saved = saveEditorPath(QStringLiteral(" /opt/my editor/ed "), 0, ini);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, " /opt/my editor/ed ");
    EXPECT_EQ(readFile(ini), QByteArray("\" /opt/my editor/ed \"\r\n0\r\n"));
}

TEST(EditorPath, QuoteLineBreakAndNulAreRefusedWithoutTouchingTheFile) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("sono.ini"));
    ASSERT_TRUE(saveEditorPath(QStringLiteral("/usr/bin/gedit"), 0, ini).has_value());
    const QByteArray before = readFile(ini);
    for (const QString& bad :
         {QStringLiteral("/usr/bin/\"ed"), QStringLiteral("/usr/bin/ed\n"), QStringLiteral("/usr/bin/ed\rx"),
          QString(QStringLiteral("/bin/ed")) + QChar(0)}) {
        auto refused = saveEditorPath(bad, 1, ini);
        EXPECT_FALSE(refused.has_value());
        EXPECT_EQ(readFile(ini), before);
    }
}

TEST(EditorPath, FailedRewriteKeepsTheOldFileAndNamesIt) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("missing-folder/sono.ini"));
    auto failed = saveEditorPath(QStringLiteral("/usr/bin/gedit"), 0, ini);
    ASSERT_FALSE(failed.has_value());
    EXPECT_TRUE(failed.error().contains(ini));
}
