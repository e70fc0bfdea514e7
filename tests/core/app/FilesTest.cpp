#include "core/app/AppState.h"
#include "core/app/LogAndNotes.h"
#include "core/app/Settings.h"
#include "core/app/SonoConf.h"
#include "core/app/UnreadFiles.h"
#include "core/common/QuotedFields.h"
#include "core/display/Calibration.h"
#include "core/generator/ProgramFile.h"
#include "support/RecordingPlatform.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace sono;

namespace {

// What a reader refused with, or "(read)".
template <typename T> QString refusal(const std::expected<T, QString>& read) {
    return read ? QStringLiteral("(read)") : read.error();
}

const QString Ini = QStringLiteral("sono.ini"), Prg = QStringLiteral("a.prg");

} // namespace

TEST(SettingsFile, ReadsBothLinesOrOneLineAndRefusesAnOddFlag) {
    const SettingsFile both = parseSettingsFile("\"/a b/c\",1\r\n", Ini).value();
    EXPECT_TRUE(both.EditorPath == "/a b/c" && both.ClearBufferFirst == 1);
    EXPECT_FALSE(parseSettingsFile("\"/a\"\r\n", Ini).value().ClearBufferFirst);
    EXPECT_FALSE(parseSettingsFile("", Ini).has_value());
    EXPECT_TRUE(refusal(parseSettingsFile("\"/a\"\r\n7\r\n", Ini)).contains("sono.ini, line 2"));
}

// sono.conf keeps what it does not know; the last line of a key counts.
TEST(SonoConfFile, ReadsTheSwitchAndWritesOneKeyKeepingTheRest) {
    for (const auto& [text, on] : {std::pair<QByteArray, bool>{"", false},
                                   {"# mine\ncolour = blue\n play-in-terminal = On \r\n", true},
                                   {"play-in-terminal=true\nplay-in-terminal=0\n", false}})
        EXPECT_EQ(parseSonoConf(text, Ini).value().playInTerminal, on) << text.toStdString();
    EXPECT_TRUE(
        refusal(parseSonoConf("x=1\nplay-in-terminal=maybe\n", Ini)).startsWith("sono.ini, line 2: "));
    // Writing appends the key, or sets it where it is and comments out the lines of it that follow.
    EXPECT_EQ(withConfValue("a=1\nplay-in-terminal=no\nb=2\nplay-in-terminal = x", PlayInTerminalKey,
                            confSwitch(true)),
              "a=1\nplay-in-terminal=true\nb=2\n# play-in-terminal = x\n");
    EXPECT_EQ(withConfValue("a=1", PlayInTerminalKey, confSwitch(true)), "a=1\nplay-in-terminal=true\n");
}

TEST(ProgramFile, RefusesShortHeadersBadStepsAndTooManySteps) {
    const QByteArray header = programFileBytes(defaultProgram());
    EXPECT_TRUE(refusal(parseProgramFile("\"0.5\"\r\n\"0.5\"\r\n1\r\n", Prg)).contains(Prg));
    EXPECT_FALSE(
        parseProgramFile(QByteArray(header).replace("\r\n0\r\n0\r\n0\r\n2", "\r\n9\r\n0\r\n0\r\n2"), Prg));
    EXPECT_TRUE(
        refusal(parseProgramFile(header + "1,100,180\r\n2,abc,180\r\n", Prg)).contains("a.prg, line 13"));
    for (const char* step : {"1,100\r\n", "1,100,180,4\r\n", "1,100,40000\r\n"})
        EXPECT_FALSE(parseProgramFile(header + step, Prg)) << step;
    QByteArray full = header;
    for (int i = 1; i <= 2000; ++i)
        full += QByteArray::number(i) + ",100,1\r\n";
    EXPECT_TRUE(parseProgramFile(full, Prg));
    EXPECT_TRUE(refusal(parseProgramFile(full + "2001,100,1\r\n", Prg)).contains("2000"));
    // At start-up the first 2000 are kept; the rest is still checked.
    const auto leftOut =
        parseProgramFile(full + "2001,100,1\r\n2002,7,1\r\n", Prg, ProgramRead::Startup).value();
    EXPECT_TRUE(leftOut.steps.size() == 2000u && leftOut.stepsLeftOut == 2);
    EXPECT_FALSE(parseProgramFile(full + "2001,x,1\r\n", Prg, ProgramRead::Startup));
}

TEST(SmallFiles, AHugeBadFieldIsQuotedShortInTheMessage) {
    const QByteArray huge(10'000'000, '7'), header = programFileBytes(defaultProgram());
    for (const QString& message :
         {refusal(parseSettingsFile("\"/a\"\r\n" + huge + "\r\n", Ini)),
          refusal(parseCalibrationFile(huge + "\r\n", QStringLiteral("sono.cal"))),
          refusal(parseProgramFile(QByteArray(header).replace("\r\n2\r\n", "\r\n" + huge + "\r\n"), Prg)),
          refusal(parseProgramFile(header + "1," + huge + ",x\r\n", Prg))})
        EXPECT_TRUE(message.size() < 300 && message.contains(QString(77, u'7') + QStringLiteral("...")))
            << message.left(300).toStdString();
}

TEST(Log, KeepsTheNewest500AndListsNewestFirst) {
    QByteArray bytes;
    for (int i = 1; i <= 502; ++i)
        bytes += logRecordBytes(QDateTime(QDate(2026, 1, 1), QTime(0, 0)).addSecs(i),
                                QStringLiteral(" - e%1").arg(i));
    const LogContents log = parseLog(bytes);
    EXPECT_EQ(log.count, 502);
    ASSERT_EQ(log.when.size(), 500);
    EXPECT_EQ(log.what.first() + log.what.last(), " - e3 - e502");
    EXPECT_TRUE(logPaneText(log).startsWith(QStringLiteral("2026-01-01 00:08:22 - e502\n")));
    EXPECT_EQ(logCaption(5), "Log :  5 entries");
    EXPECT_EQ(parseLog("").count, 0);
}

// Line breaks inside are CR LF; CR LF, LF and CR all read back as one break. Not UTF-8 is Windows-1252;
// files in Sono's form are written back byte for byte, byte-order mark included. Plain text, a text cut
// short or more after the closing quote: the whole file, marked.
TEST(NotesFile, LineBreaksEncodingsAndFilesNotInSonosForm) {
    const std::tuple<QByteArray, QString, bool, bool> rows[] = {
        {"\"a\r\nb\"\r\n", "a\nb", true, true},
        {"\"a\nb\"\r\n", "a\nb", true, false},
        {"\"a\rb\"", "a\nb", true, false},
        {"\"Say \"\"hi\"\"\"\r\n", "Say \"hi\"", true, true},
        {"\"\x93"
         "Caf\xe9\x94 \x80\x81\"\r\n",
         QStringLiteral("\u201cCaf\u00e9\u201d \u20ac\u0081"), true, true},
        {"\xef\xbb\xbf\"x\"\r\n", "x", true, true},
        {"plain\r\nnotes\r\n", "plain\nnotes", false, false},
        {"\"cut", "\"cut", false, false},
        {"\"a\" b", "\"a\" b", false, false},
        {"", "", true, false}};
    for (const auto& [file, text, inSonoForm, writtenBack] : rows) {
        const NotesFile notes = parseNotesFile(file);
        EXPECT_TRUE(notes.text == text && notes.inSonoForm == inSonoForm) << file.constData();
        EXPECT_TRUE(!writtenBack || notesFileBytes(notes.text, notes.encoding).bytes == file)
            << file.constData();
    }
    // A character Windows-1252 cannot hold falls back to UTF-8.
    const EncodedText arrow = notesFileBytes(QStringLiteral("\u00e9\u2192"), TextEncoding::Windows1252);
    EXPECT_EQ(arrow.bytes, QByteArray("\"\xc3\xa9\xe2\x86\x92\"\r\n"));
    EXPECT_EQ(arrow.encoding, TextEncoding::Utf8);
}

// A file start-up could not read is kept as .bak before the first save over it, once; a .bak that cannot
// be written stops the save.
TEST(UnreadFiles, AreKeptAsBakOnceBeforeTheFirstSave) {
    QTemporaryDir dir;
    AppState state;
    test::RecordingPlatform platform;
    for (const char* name : {"sono.ini", "sono.cal", "SonoNote.txt", "default.prg"}) {
        const QString path = dir.filePath(QString::fromLatin1(name)), bak = path + QStringLiteral(".bak");
        ASSERT_TRUE(writeWholeFile(path, name));
        EXPECT_TRUE(markUnreadFile(state, path).contains(bak));
        EXPECT_TRUE(keepUnreadFile(state, platform, path));
        ASSERT_TRUE(writeWholeFile(path, "saved"));
        EXPECT_TRUE(keepUnreadFile(state, platform, path));
        EXPECT_EQ(readWholeFile(bak).value_or(""), name);
        EXPECT_TRUE(platform.messages.last().text.contains(bak));
    }
    EXPECT_EQ(platform.messages.size(), 4);
    markUnreadFile(state, dir.filePath(QStringLiteral("sono.ini")));
    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("sono.ini.bak"))) &&
                QDir(dir.path()).mkdir("sono.ini.bak"));
    EXPECT_FALSE(keepUnreadFile(state, platform, dir.filePath(QStringLiteral("sono.ini"))));
    EXPECT_TRUE(platform.messages.last().text.contains(QStringLiteral("could not be kept")));
}
