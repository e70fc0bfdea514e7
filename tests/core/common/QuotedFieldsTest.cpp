#include "core/common/QuotedFields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace sono;

TEST(QuotedFields, WriterUsesQuotesForTextBareNumbersAndCrLf) {
    QuotedFieldWriter w;
    w.text(QStringLiteral("/usr/bin/xdg-open")).endLine().number(0).endLine();
    w.text(QStringLiteral("a")).number(0.5).bare(QStringLiteral("7")).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"/usr/bin/xdg-open\"\r\n0\r\n\"a\",.5,7\r\n"));
}

TEST(QuotedFields, ReaderTakesCommasAndLineEndsAsSeparators) {
    QuotedFieldReader r("\"c:\\x y\",1\r\n  2 , \"q\"\r\n3\n");
    QStringList fields; // line:text, quoted ones marked
    while (const auto field = r.next())
        fields << QStringLiteral("%1:%2%3").arg(field->line).arg(field->text, field->quoted ? "\"" : "");
    EXPECT_EQ(fields, QStringList({"1:c:\\x y\"", "1:1", "2:2", "2:q\"", "3:3"}));
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

namespace {

// The file-size limit of this process: writes beyond it fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

} // namespace

TEST(QuotedFields, AFailedOrShortWriteNamesTheFileAndKeepsTheOldOne) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SonoNote.txt"));
    ASSERT_TRUE(writeWholeFile(path, "first notes, replaced").has_value());
    ASSERT_TRUE(writeWholeFile(path, "\"old notes\"\r\n").has_value());
    ASSERT_TRUE(appendToFile(path, "12").has_value());
    EXPECT_FALSE(readWholeFile(dir.filePath(QStringLiteral("missing"))).has_value());
    // A folder that is really a file cannot hold anything, whatever rights the test runs with. Small writes
    // wait in a buffer until the commit; large ones go out at once. All must fail.
    const QString underAFile = path + QStringLiteral("/sono.ini");
    for (const auto& [target, size] :
         {std::pair{underAFile, qsizetype(3)}, {path, qsizetype(200)}, {path, qsizetype(100000)}}) {
        FileSizeLimit limit(100);
        const auto written = writeWholeFile(target, QByteArray(size, 'n'));
        ASSERT_FALSE(written.has_value()) << size;
        EXPECT_TRUE(written.error().contains(target)) << written.error().toStdString();
        const auto appended = appendToFile(target, QByteArray(size, 'a'));
        ASSERT_FALSE(appended.has_value()) << size;
        EXPECT_TRUE(appended.error().contains(target));
    }
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
    ASSERT_FALSE(refused.has_value());
    EXPECT_EQ(refused.error(), "Cannot read " + path + ": it holds 17 MB, more than the 16 MB Sono reads.");
    ASSERT_TRUE(file.resize(MaxReadBytes));
    EXPECT_EQ(readWholeFile(path).value().size(), MaxReadBytes);
    // A device has no size to check beforehand.
    const auto endless = readWholeFile(QStringLiteral("/dev/zero"), 1000);
    ASSERT_FALSE(endless.has_value());
    EXPECT_TRUE(endless.error().contains(QStringLiteral("/dev/zero: it holds more")));
}

TEST(QuotedFields, LeftoversOfInterruptedSavesAreRemovedAndOtherFilesKept) {
    QTemporaryDir dir;
    const QStringList leftovers{QStringLiteral("sono.ini.GUwIuc"), QStringLiteral("Default.PRG.aBcDeF"),
                                QStringLiteral("my program.run.xYzzYx")};
    const QStringList kept{QStringLiteral("sono.cal.backup"),  QStringLiteral("x.prg.Before"),
                           QStringLiteral("notes.txt.GUwIuc"), QStringLiteral("sono.ini.GUwIuc1"),
                           QStringLiteral("default.prg"),      QStringLiteral("freq.txt.NoWsAv")};
    for (const QString& name : leftovers + kept)
        ASSERT_TRUE(writeWholeFile(dir.filePath(name), "x").has_value());
    const QDateTime later = QDateTime::currentDateTime().addSecs(120);
    // One written a moment before "now": another Sono may be saving it.
    QFile recent(dir.filePath(QStringLiteral("freq.txt.NoWsAv")));
    ASSERT_TRUE(recent.open(QIODevice::ReadWrite));
    ASSERT_TRUE(recent.setFileTime(later.addSecs(-10), QFileDevice::FileModificationTime));
    recent.close();
    const auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };
    EXPECT_EQ(sorted(removeInterruptedSaves(dir.path(), later)), sorted(leftovers));
    EXPECT_EQ(sorted(QDir(dir.path()).entryList(QDir::Files)), sorted(kept));
}

TEST(QuotedFields, MessagesQuoteAtMostAboutEightyCharacters) {
    EXPECT_EQ(quotedInMessage(u"0.5"), "0.5");
    const QString huge(10'000'000, u'9');
    const QString shown = quotedInMessage(huge);
    EXPECT_EQ(shown, QString(77, u'9') + QStringLiteral("..."));
    // A character outside the basic plane is never cut in half.
    const QString emoji = QString(76, u'x') + QStringLiteral("\U0001F600\U0001F600");
    EXPECT_EQ(quotedInMessage(emoji + emoji), QString(76, u'x') + QStringLiteral("..."));
}
