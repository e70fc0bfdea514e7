#include "core/tools/RtfReader.h"

#include <gtest/gtest.h>

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

// Escapes decoded, binary data skipped by count, destinations, pictures and objects skipped, damaged input
// read as far as it makes sense.
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
        {"{\\rtf1{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 "
         "Normal;}}"
         "{\\info{\\title Secret}}{\\*\\generator Writer;}{\\*\\unknownthing hidden}shown{\\pict\\pngblip "
         "89504e47}"
         "{\\object\\objemb{\\*\\objdata 0102}{\\result kept?}} text}",
         "shown text"},
        // Nesting is cut at the depth limit without recursion; unclosed groups end with the file.
        {"{\\rtf1 top" + QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + " after}", "top after"},
        {"{\\rtf1 " + QByteArray(RtfMaxDepth - 2, '{') + "kept" + QByteArray(RtfMaxDepth - 2, '}') + "}",
         "kept"},
        {"{\\rtf1 a" + QByteArray(200000, '{'), "a"},
    };
    for (const auto& [page, text] : rows)
        EXPECT_EQ(readRtf(page).plainText(), text) << page.left(80).toStdString();
    EXPECT_EQ(readRtf("{\\rtf1 \\fs999999999999999999 big}").paragraphs[0].runs[0].halfPoints, 144);
    EXPECT_TRUE(readRtf("").paragraphs.isEmpty());
}
