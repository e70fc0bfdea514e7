#include "common/QuotedFields.h"
#include "common/AppFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

TEST(QuotedFields, WriterUsesQuotesForTextBareNumbersAndCrLf) {
    QuotedFieldWriter w;
    w.text(QStringLiteral("/usr/bin/xdg-open")).endLine().number(0).endLine();
    w.text(QStringLiteral("a")).number(0.5).bare(QStringLiteral("7")).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"/usr/bin/xdg-open\"\r\n0\r\n\"a\",.5,7\r\n"));
}

TEST(QuotedFields, ReaderTakesCommasAndLineEndsAsSeparators) {
    QuotedFieldReader r("\"c:\\x y\",1\r\n  2 , \"q\"\r\n3\n");
    auto a = r.next();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->text, "c:\\x y");
    EXPECT_TRUE(a->quoted);
    EXPECT_EQ(r.next()->text, "1");
    auto two = r.next();
    EXPECT_EQ(two->text, "2");
    EXPECT_EQ(two->line, 2);
    EXPECT_EQ(r.next()->text, "q");
    auto three = r.next();
    EXPECT_EQ(three->text, "3");
    EXPECT_EQ(three->line, 3);
    EXPECT_FALSE(r.next().has_value());
    EXPECT_TRUE(r.atEnd());
}

TEST(QuotedFields, TextsWithQuotesAndLineBreaksComeBackExactly) {
    const QString notes = QStringLiteral("He said \"hi\"\r\nand \"\" left,\nthen \"");
    QuotedFieldWriter w;
    w.text(notes).endLine().text(QString()).endLine();
    QuotedFieldReader r(w.bytes());
    EXPECT_EQ(r.next()->text, notes);
    auto empty = r.next();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text, "");
    EXPECT_TRUE(r.atEnd());
}

TEST(QuotedFields, WholeFileWritesReplaceAndAppendsAdd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.txt"));
    ASSERT_TRUE(writeWholeFile(path, "one").has_value());
    ASSERT_TRUE(writeWholeFile(path, "two").has_value());
    ASSERT_TRUE(appendToFile(path, "+three").has_value());
    EXPECT_EQ(readWholeFile(path).value(), "two+three");
    EXPECT_FALSE(readWholeFile(dir.filePath(QStringLiteral("missing"))).has_value());
}

TEST(QuotedFields, FailedWritesNameTheFile) {
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(writeWholeFile(blocker, "x").has_value());
    // A folder that is really a file cannot hold anything, whatever rights the test runs with.
    const QString path = blocker + QStringLiteral("/sono.ini");
    const auto written = writeWholeFile(path, "new");
    ASSERT_FALSE(written.has_value());
    EXPECT_TRUE(written.error().contains(path));
    const auto appended = appendToFile(path, "new");
    ASSERT_FALSE(appended.has_value());
    EXPECT_TRUE(appended.error().contains(path));
    EXPECT_EQ(readWholeFile(blocker).value(), "x");
}

TEST(AppFolder, FindsExistingFilesWhateverTheirCase) {
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("SonoNote.TXT")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    AppFolder folder(dir.path() + QStringLiteral("/"));
    EXPECT_EQ(folder.path(), dir.path());
    EXPECT_EQ(folder.filePath(QStringLiteral("sononote.txt")), dir.filePath(QStringLiteral("SonoNote.TXT")));
    EXPECT_TRUE(folder.exists(QStringLiteral("SONONOTE.txt")));
    // A file that does not exist yet gets the name as written.
    EXPECT_EQ(folder.filePath(QStringLiteral("freq.txt")), dir.filePath(QStringLiteral("freq.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("freq.txt")));
}
