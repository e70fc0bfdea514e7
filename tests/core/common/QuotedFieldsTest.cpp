#include "core/common/QuotedFields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace sono;

TEST(QuotedFields, WriterQuotesTextsAndTheReaderTakesCommasAndLineEndsAsSeparators) {
    const QString notes = QStringLiteral("He said \"hi\"\r\nand \"\" left,\nthen \"");
    QuotedFieldWriter w;
    w.text(QStringLiteral("c:\\x y")).number(0.5).endLine().number(0).endLine();
    w.text(notes).bare(QStringLiteral("7")).text(QString()).endLine();
    EXPECT_EQ(w.bytes().left(19), QByteArray("\"c:\\x y\",.5\r\n0\r\n\"He"));
    QuotedFieldReader r(w.bytes() + "  2 , \"q\"\n3");
    QStringList fields; // line:text, quoted ones marked
    while (const auto field = r.next())
        fields << QStringLiteral("%1:%2%3").arg(field->line).arg(field->text, field->quoted ? "\"" : "");
    EXPECT_EQ(fields, QStringList({"1:c:\\x y\"", "1:.5", "2:0", "3:" + notes + "\"", "5:7", "5:\"", "6:2",
                                   "6:q\"", "7:3"}));
    EXPECT_TRUE(r.atEnd());
}

TEST(QuotedFields, AFailedOrShortWriteNamesTheFileAndKeepsTheOldOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SonoNote.txt"));
    ASSERT_TRUE(writeWholeFile(path, "first notes, replaced") && writeWholeFile(path, "\"old notes\"\r\n") &&
                appendToFile(path, "12"));
    EXPECT_FALSE(readWholeFile(dir.filePath(QStringLiteral("missing"))).has_value());
    // A folder that is really a file cannot hold anything, whatever rights the test runs with. Small writes
    // wait in a buffer until the commit; large ones go out at once. All must fail.
    const QString underAFile = path + QStringLiteral("/sono.ini");
    // Writes beyond this process's file-size limit fail as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{100, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    for (const auto& [target, size] :
         {std::pair{underAFile, qsizetype(3)}, {path, qsizetype(200)}, {path, qsizetype(100000)}}) {
        const auto written = writeWholeFile(target, QByteArray(size, 'n'));
        EXPECT_TRUE(!written && written.error().contains(target)) << size;
        const auto appended = appendToFile(target, QByteArray(size, 'a'));
        EXPECT_TRUE(!appended && appended.error().contains(target)) << size;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(readWholeFile(path).value(), "\"old notes\"\r\n12");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("SonoNote.txt")});
}

TEST(QuotedFields, FilesLargerThanTheLimitAreRefusedWithTheirSize) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.prg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(MaxReadBytes + 1024 * 1024)); // sparse: takes no room
    file.close();
    const auto refused = readWholeFile(path);
    EXPECT_EQ(refused ? QString() : refused.error(),
              "Cannot read " + path + ": it holds 17 MB, more than the 16 MB Sono reads.");
    ASSERT_TRUE(file.resize(MaxReadBytes));
    EXPECT_EQ(readWholeFile(path).value().size(), MaxReadBytes);
    // A device has no size to check beforehand.
    const auto endless = readWholeFile(QStringLiteral("/dev/zero"), 1000);
    EXPECT_TRUE(!endless && endless.error().contains(QStringLiteral("/dev/zero: it holds more")));
}

TEST(QuotedFields, LeftoversOfInterruptedSavesAreRemovedAndOtherFilesKept) {
    QTemporaryDir dir;
    for (const char* name :
         {"sono.ini.GUwIuc", "Default.PRG.aBcDeF", "my program.run.xYzzYx", "sono.cal.backup", "x.prg.Before",
          "notes.txt.GUwIuc", "sono.ini.GUwIuc1", "default.prg", "freq.txt.NoWsAv", "sono.conf.QwErTy"})
        ASSERT_TRUE(writeWholeFile(dir.filePath(QString::fromLatin1(name)), "x").has_value());
    const QDateTime later = QDateTime::currentDateTime().addSecs(120);
    // One written a moment before "now": another Sono may be saving it.
    QFile recent(dir.filePath(QStringLiteral("freq.txt.NoWsAv")));
    ASSERT_TRUE(recent.open(QIODevice::ReadWrite));
    ASSERT_TRUE(recent.setFileTime(later.addSecs(-10), QFileDevice::FileModificationTime));
    recent.close();
    QStringList removed = removeInterruptedSaves(dir.path(), later);
    removed.sort();
    EXPECT_EQ(removed, QStringList({"Default.PRG.aBcDeF", "my program.run.xYzzYx", "sono.conf.QwErTy",
                                    "sono.ini.GUwIuc"}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList({"default.prg", "freq.txt.NoWsAv", "notes.txt.GUwIuc", "sono.cal.backup",
                           "sono.ini.GUwIuc1", "x.prg.Before"}));
}

TEST(QuotedFields, MessagesQuoteAtMostAboutEightyCharacters) {
    EXPECT_EQ(quotedInMessage(u"0.5"), "0.5"); // long fields: see SmallFiles
    // A character outside the basic plane is never cut in half.
    const QString emoji = QString(76, u'x') + QStringLiteral("\U0001F600\U0001F600");
    EXPECT_EQ(quotedInMessage(emoji + emoji), QString(76, u'x') + QStringLiteral("..."));
}
