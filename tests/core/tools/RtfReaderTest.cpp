#include "core/tools/RtfReader.h"

#include <gtest/gtest.h>
#include <random>

using namespace sono;

TEST(RtfReader, ParagraphsCharacterFormattingAndGroups) {
    // Each paragraph as its runs: text/marks for bold, italic and underline, then the size in half points.
    const auto looks = [](const RtfDocument& doc) {
        QStringList paragraphs;
        for (const RtfParagraph& p : doc.paragraphs) {
            QStringList runs;
            for (const RtfRun& r : p.runs)
                runs << r.text + u'/' + (r.bold ? "b" : "") + (r.italic ? "i" : "") +
                            (r.underline ? "u" : "") + QString::number(r.halfPoints);
            paragraphs << runs.join(u'|');
        }
        return paragraphs;
    };
    const RtfDocument doc =
        readRtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                "\\pard\\fs32\\b Title\\b0\\par\\fs20 plain \\i slanted\\i0  \\ul under\\ulnone  end\\par}");
    EXPECT_EQ(looks(doc), QStringList({"Title/b32", "plain /20|slanted/i20| /20|under/u20| end/20"}));
    EXPECT_EQ(doc.plainText(), "Title\nplain slanted under end");
    // A group's end restores the formatting outside it.
    EXPECT_EQ(looks(readRtf("{\\rtf1 a{\\b b{\\i c}d}e}")), QStringList({"a/24|b/b24|c/bi24|d/b24|e/24"}));
}

// Escapes decoded, binary data skipped by count, damaged input read as far as it makes sense.
TEST(RtfReader, EscapesBinaryDataAndDamagedInput) {
    const std::pair<QByteArray, QString> rows[] = {
        {"{\\rtf1 caf\\'e9 \\'93q\\'94}", QString::fromUtf8("café “q”")},
        {"{\\rtf1 \\u8364?x}", QString::fromUtf8("€x")},
        {"{\\rtf1 \\uc2\\u8364\\'80\\'80x}", QString::fromUtf8("€x")},
        {"{\\rtf1 \\uc0\\u8364 x}", QString::fromUtf8("€x")},
        {"{\\rtf1 \\u-3913?}", QString(QChar(char16_t(61623)))},
        {"{\\rtf1 {\\uc3\\u8364 a}bc}", QString::fromUtf8("€bc")}, // the skip count ends with its group
        {"{\\rtf1 a\\{b\\}c\\\\d\\tab e}", "a{b}c\\d\te"},
        {"{\\rtf1 a{\\*\\blob\\bin6 }}{\\\\}}b\\par c}", "ab\nc"},
        {"{\\rtf1 x\\bin3 {{{y}", "xy"},
        {"{\\rtf1 x\\bin999999999999 yyy", "x"},
        {"{\\rtf1 x\\bin-5 y}", "xy"},
        {"{\\rtf1 unclosed {\\b group", "unclosed group"},
        {"}}}{\\rtf1 extra}}}} closers", "extra closers"},
        {"{\\rtf1 cut \\'e", "cut "},
        {"{\\rtf1 cut \\'", "cut "},
        {"{\\rtf1 bad \\'zzok}", "bad zzok"},
        {"{\\rtf1 half \\'ezok}", "half zok"},
        {"{\\rtf1 end\\", "end"},
        {"not rich text at all", "not rich text at all"},
    };
    for (const auto& [page, text] : rows)
        EXPECT_EQ(readRtf(page).plainText(), text) << page.toStdString();
    EXPECT_EQ(readRtf("{\\rtf1 \\fs999999999999999999 big}").paragraphs[0].runs[0].halfPoints, 144);
    EXPECT_TRUE(readRtf("").paragraphs.isEmpty());
}

TEST(RtfReader, TablesDestinationsPicturesAndObjectsAreSkipped) {
    const QString text =
        readRtf("{\\rtf1{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
                "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}}{\\*\\generator Writer;}"
                "{\\*\\unknownthing hidden}shown{\\pict\\pngblip 89504e47}"
                "{\\object\\objemb{\\*\\objdata 0102}{\\result kept?}} text}")
            .plainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("shown")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" text")));
    for (const char* hidden : {"Helvetica", "Normal", "Secret", "Writer", "hidden", "89504e47", "0102"})
        EXPECT_FALSE(text.contains(QString::fromLatin1(hidden))) << hidden;
}

TEST(RtfReader, DeepNestingIsCutAtTheDepthLimitWithoutRecursion) {
    const int depth = 200000;
    const QByteArray page =
        "{\\rtf1 top" + QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " after}";
    EXPECT_EQ(readRtf(page).plainText(), "top after");
    const QByteArray shallow =
        "{\\rtf1 " + QByteArray(RtfMaxDepth - 2, '{') + "kept" + QByteArray(RtfMaxDepth - 2, '}') + "}";
    EXPECT_EQ(readRtf(shallow).plainText(), "kept");
    EXPECT_EQ(readRtf("{\\rtf1 a" + QByteArray(depth, '{')).plainText(), "a"); // unclosed: ends with the file
}

// Thousands of cut, flipped and spliced variants of a realistic page: the reader must return a document
// no longer than the page, with no empty runs and font sizes kept in range.
TEST(RtfReader, SurvivesMutatedAndTruncatedPages) {
    const QByteArray seed =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Serif;}}{\\colortbl "
        ";\\red0\\green0\\blue255;}"
        "\\uc1\\pard\\b\\fs28 Key commands\\b0\\fs20\\par \\ul Space\\ulnone : pause \\i and\\i0  go on\\par"
        "caf\\'e9 \\u8364? {\\*\\bkmkstart x}{\\pict\\wmetafile8 0102\\bin4 {}{}}\\tab end\\line x\\par}";
    std::mt19937 random(20261205);
    const char alphabet[] = "{}\\'*0123456789abcdefuAZ -\r\n\x80\xff";
    int nonEmpty = 0;
    for (int round = 0; round < 6000; ++round) {
        QByteArray page = seed;
        for (auto edits = 1 + random() % 8; edits > 0 && !page.isEmpty(); --edits) {
            const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(page.size()));
            const char c = alphabet[random() % (sizeof alphabet - 1)];
            const auto kind = random() % 4;
            if (kind == 0)
                page.truncate(at);
            else if (kind == 1)
                page[at] = c;
            else if (kind == 2)
                page.insert(at, c);
            else
                page.insert(
                    at, page.mid(static_cast<qsizetype>(random() % static_cast<unsigned>(page.size())), 20));
        }
        const RtfDocument doc = readRtf(page);
        const QString text = doc.plainText();
        ASSERT_LE(text.size(), page.size()) << page.toStdString();
        for (const RtfParagraph& p : doc.paragraphs)
            for (const RtfRun& run : p.runs)
                ASSERT_TRUE(!run.text.isEmpty() && run.halfPoints >= 8 && run.halfPoints <= 144)
                    << page.toStdString();
        nonEmpty += text.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(nonEmpty, 3000); // most variants still show something
}
