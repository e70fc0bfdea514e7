#include "core/tools/EditorPath.h"
#include "core/common/QuotedFields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

TEST(EditorPath, TypedTextIsStoredUnchangedAndUnsafeTextIsRefused) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("sono.ini"));
    EXPECT_EQ(saveEditorPath(QString(), 0, ini).value(), "/usr/bin/xdg-open");
    EXPECT_EQ(saveEditorPath(QStringLiteral(" /opt/my editor/ed "), 1, ini).value(), " /opt/my editor/ed ");
    const QByteArray stored("\" /opt/my editor/ed \"\r\n1\r\n");
    for (const QString& bad :
         {QStringLiteral("/usr/bin/\"ed"), QStringLiteral("/usr/bin/ed\n"), QStringLiteral("/usr/bin/ed\rx"),
          QString(QStringLiteral("/bin/ed")) + QChar(0)}) {
        EXPECT_FALSE(saveEditorPath(bad, 0, ini).has_value());
        EXPECT_EQ(readWholeFile(ini).value_or(""), stored);
    }
    const QString unwritable = dir.filePath(QStringLiteral("missing-folder/sono.ini"));
    const auto failed = saveEditorPath(QStringLiteral("/usr/bin/gedit"), 0, unwritable);
    EXPECT_TRUE(!failed && failed.error().contains(unwritable));
}
