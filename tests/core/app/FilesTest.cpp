#include "core/app/LogAndNotes.h"
#include "core/app/Settings.h"
#include "core/display/Calibration.h"
#include "core/generator/ProgramFile.h"

#include <gtest/gtest.h>

using namespace sono;

namespace {

// What a reader refused with, or "(read)".
template <typename T> QString refusal(const std::expected<T, QString>& read) {
    return read ? QStringLiteral("(read)") : read.error();
}

} // namespace

TEST(SettingsFile, ReadsBothLinesOrOneLineAndRefusesAnOddFlag) {
    auto both = parseSettingsFile("\"/a b/c\",1\r\n", QStringLiteral("sono.ini"));
    ASSERT_TRUE(both);
    EXPECT_EQ(both->EditorPath, "/a b/c");
    EXPECT_EQ(both->ClearBufferFirst, 1);
    EXPECT_FALSE(parseSettingsFile("\"/a\"\r\n", QStringLiteral("sono.ini")).value().ClearBufferFirst);
    EXPECT_FALSE(parseSettingsFile("", QStringLiteral("sono.ini")).has_value());
    EXPECT_TRUE(refusal(parseSettingsFile("\"/a\"\r\n7\r\n", QStringLiteral("sono.ini")))
                    .contains("sono.ini, line 2"));
}

TEST(ProgramFile, RefusesShortHeadersBadStepsAndTooManySteps) {
    const QByteArray header = programFileBytes(defaultProgram());
    const QString prg = QStringLiteral("a.prg");
    EXPECT_TRUE(refusal(parseProgramFile("\"0.5\"\r\n\"0.5\"\r\n1\r\n", prg)).contains(prg));
    EXPECT_FALSE(
        parseProgramFile(QByteArray(header).replace("\r\n0\r\n0\r\n0\r\n2", "\r\n9\r\n0\r\n0\r\n2"), prg));
    EXPECT_TRUE(
        refusal(parseProgramFile(header + "1,100,180\r\n2,abc,180\r\n", prg)).contains("a.prg, line 13"));
    for (const char* step : {"1,100\r\n", "1,100,180,4\r\n", "1,100,40000\r\n"})
        EXPECT_FALSE(parseProgramFile(header + step, prg)) << step;
    QByteArray full = header;
    for (int i = 1; i <= 2000; ++i)
        full += QByteArray::number(i) + ",100,1\r\n";
    EXPECT_TRUE(parseProgramFile(full, prg));
    EXPECT_TRUE(refusal(parseProgramFile(full + "2001,100,1\r\n", prg)).contains("2000"));
    // At start-up the first 2000 are kept; the rest is still checked.
    auto leftOut = parseProgramFile(full + "2001,100,1\r\n2002,7,1\r\n", prg, ProgramRead::Startup);
    ASSERT_TRUE(leftOut);
    EXPECT_EQ(leftOut->steps.size(), 2000u);
    EXPECT_EQ(leftOut->stepsLeftOut, 2);
    EXPECT_FALSE(parseProgramFile(full + "2001,x,1\r\n", prg, ProgramRead::Startup));
}

TEST(SmallFiles, AHugeBadFieldIsQuotedShortInTheMessage) {
    const QByteArray huge(10'000'000, '7');
    const QByteArray header = programFileBytes(defaultProgram());
    const QString prg = QStringLiteral("a.prg");
    const QStringList errors{
        refusal(parseSettingsFile("\"/a\"\r\n" + huge + "\r\n", QStringLiteral("sono.ini"))),
        refusal(parseCalibrationFile(huge + "\r\n", QStringLiteral("sono.cal"))),
        refusal(parseProgramFile(QByteArray(header).replace("\r\n2\r\n", "\r\n" + huge + "\r\n"), prg)),
        refusal(parseProgramFile(header + "1," + huge + ",x\r\n", prg))};
    for (const QString& message : errors) {
        EXPECT_LT(message.size(), 300) << message.left(300).toStdString();
        EXPECT_TRUE(message.contains(QString(77, u'7') + QStringLiteral("...")))
            << message.left(300).toStdString();
    }
}

TEST(Log, KeepsTheNewest500AndListsNewestFirst) {
    QByteArray bytes;
    for (int i = 1; i <= 502; ++i)
        bytes += logRecordBytes(QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(i),
                                QStringLiteral(" - e%1").arg(i));
    const LogContents log = parseLog(bytes);
    EXPECT_EQ(log.count, 502);
    ASSERT_EQ(log.when.size(), 500);
    EXPECT_EQ(log.what.first(), " - e3");
    EXPECT_EQ(log.what.last(), " - e502");
    EXPECT_TRUE(logPaneText(log).startsWith(QStringLiteral("2026-01-01 00:08:22 - e502\n")));
    EXPECT_EQ(logCaption(5), "Log :  5 entries");
    EXPECT_EQ(parseLog("").count, 0);
}

TEST(NotesFile, LineBreaksEncodingsAndFilesNotInSonosForm) {
    // Line breaks inside are CR LF; CR LF, LF and CR all read back as one break.
    EXPECT_EQ(notesFileBytes(QStringLiteral("a\nb")).bytes, QByteArray("\"a\r\nb\"\r\n"));
    for (const QByteArray& file :
         {QByteArray("\"a\r\nb\"\r\n"), QByteArray("\"a\nb\"\r\n"), QByteArray("\"a\rb\"")}) {
        const NotesFile notes = parseNotesFile(file);
        EXPECT_EQ(notes.text, "a\nb");
        EXPECT_TRUE(notes.inSonoForm);
    }
    EXPECT_EQ(parseNotesFile("\"Say \"\"hi\"\"\"\r\n").text, "Say \"hi\"");
    // Not UTF-8: Windows-1252, written back byte for byte; a character it cannot hold falls back to UTF-8.
    const QByteArray windows("\"\x93"
                             "Caf\xe9\x94 \x80\x81\"\r\n");
    const NotesFile latin = parseNotesFile(windows);
    EXPECT_EQ(latin.text, QStringLiteral("\u201cCaf\u00e9\u201d \u20ac\u0081"));
    EXPECT_EQ(latin.encoding, TextEncoding::Windows1252);
    EXPECT_EQ(notesFileBytes(latin.text, latin.encoding).bytes, windows);
    const EncodedText arrow = notesFileBytes(QStringLiteral("\u00e9\u2192"), TextEncoding::Windows1252);
    EXPECT_EQ(arrow.bytes, QByteArray("\"\xc3\xa9\xe2\x86\x92\"\r\n"));
    EXPECT_EQ(arrow.encoding, TextEncoding::Utf8);
    const QByteArray bom("\xef\xbb\xbf\"x\"\r\n");
    const NotesFile withBom = parseNotesFile(bom);
    EXPECT_EQ(withBom.text, "x");
    EXPECT_EQ(notesFileBytes(withBom.text, withBom.encoding).bytes, bom);
    // Plain text, a text cut short or more after the closing quote: the whole file, marked.
    for (const QByteArray& file :
         {QByteArray("plain\r\nnotes\r\n"), QByteArray("\"cut"), QByteArray("\"a\" b")}) {
        const NotesFile notes = parseNotesFile(file);
        EXPECT_FALSE(notes.inSonoForm) << file.constData();
        EXPECT_EQ(notes.text,
                  QString::fromUtf8(file).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed());
    }
    EXPECT_TRUE(parseNotesFile("").inSonoForm);
}
