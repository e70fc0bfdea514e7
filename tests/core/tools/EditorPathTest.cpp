#include "core/tools/EditorPath.h"

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

TEST(EditorPath, TypedTextIsStoredUnchangedAndUnsafeTextIsRefused) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("sono.ini"));
    auto saved = saveEditorPath(QStringLiteral(" /opt/my editor/ed "), 1, ini);
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(*saved, " /opt/my editor/ed ");
    const QByteArray before = readFile(ini);
    EXPECT_EQ(before, QByteArray("\" /opt/my editor/ed \"\r\n1\r\n"));
    for (const QString& bad :
         {QStringLiteral("/usr/bin/\"ed"), QStringLiteral("/usr/bin/ed\n"), QStringLiteral("/usr/bin/ed\rx"),
          QString(QStringLiteral("/bin/ed")) + QChar(0)}) {
        EXPECT_FALSE(saveEditorPath(bad, 0, ini).has_value());
        EXPECT_EQ(readFile(ini), before);
    }
    const QString unwritable = dir.filePath(QStringLiteral("missing-folder/sono.ini"));
    auto failed = saveEditorPath(QStringLiteral("/usr/bin/gedit"), 0, unwritable);
    ASSERT_FALSE(failed.has_value());
    EXPECT_TRUE(failed.error().contains(unwritable));
}
