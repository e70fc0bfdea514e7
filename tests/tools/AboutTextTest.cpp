#include "tools/AboutText.h"
#include "tools/SourceDir.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace sono;

// The About window shows the text kept in data/about.txt, whose counts are checked against the data.
TEST(AboutText, MatchesTheShippedAboutFile) {
    QFile file(sourceDir() + QStringLiteral("/data/about.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString shipped =
        QString::fromUtf8(file.readAll()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(aboutText(), shipped.trimmed());
    EXPECT_EQ(aboutText().count(QStringLiteral("\n\n")), 9); // ten paragraphs, in their order
}
