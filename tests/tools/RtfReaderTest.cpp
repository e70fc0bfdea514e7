#include "tools/RtfReader.h"
#include "tools/SourceDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace sono;

namespace {

RtfDocument read(const char* text) {
    return readRtf(QByteArray(text));
}

} // namespace

TEST(RtfReader, ParagraphsAndCharacterFormatting) {
    const RtfDocument doc =
        read("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
             "\\pard\\fs32\\b Title\\b0\\par\\fs20 plain \\i slanted\\i0  \\ul under\\ulnone  end\\par}");
    ASSERT_EQ(doc.paragraphs.size(), 2);
    const RtfParagraph& title = doc.paragraphs[0];
    ASSERT_EQ(title.runs.size(), 1);
    EXPECT_EQ(title.runs[0].text, "Title");
    EXPECT_TRUE(title.runs[0].bold);
    EXPECT_EQ(title.runs[0].halfPoints, 32);
    const RtfParagraph& body = doc.paragraphs[1];
    ASSERT_EQ(body.runs.size(), 5);
    EXPECT_EQ(body.runs[0].text, "plain ");
    EXPECT_FALSE(body.runs[0].bold);
    EXPECT_EQ(body.runs[0].halfPoints, 20);
    EXPECT_EQ(body.runs[1].text, "slanted");
    EXPECT_TRUE(body.runs[1].italic);
    EXPECT_EQ(body.runs[3].text, "under");
    EXPECT_TRUE(body.runs[3].underline);
    EXPECT_FALSE(body.runs[4].underline);
    EXPECT_EQ(doc.plainText(), "Title\nplain slanted under end");
}

TEST(RtfReader, GroupsRestoreTheOuterFormatting) {
    const RtfDocument doc = read("{\\rtf1 a{\\b b{\\i c}d}e}");
    ASSERT_EQ(doc.paragraphs.size(), 1);
    const auto& runs = doc.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 5);
    EXPECT_FALSE(runs[0].bold);
    EXPECT_TRUE(runs[2].bold && runs[2].italic);
    EXPECT_TRUE(runs[3].bold && !runs[3].italic);
    EXPECT_FALSE(runs[4].bold);
}

TEST(RtfReader, HexAndUnicodeCharactersWithTheirSkipCount) {
    EXPECT_EQ(read("{\\rtf1 caf\\'e9 \\'93q\\'94}").plainText(), QString::fromUtf8("café “q”"));
    EXPECT_EQ(read("{\\rtf1 \\u8364?x}").plainText(), QString::fromUtf8("€x"));
    EXPECT_EQ(read("{\\rtf1 \\uc2\\u8364\\'80\\'80x}").plainText(), QString::fromUtf8("€x"));
    EXPECT_EQ(read("{\\rtf1 \\uc0\\u8364 x}").plainText(), QString::fromUtf8("€x"));
    EXPECT_EQ(read("{\\rtf1 \\u-3913?}").plainText(), QString(QChar(char16_t(61623))));
    // The skip count ends at a group boundary.
    EXPECT_EQ(read("{\\rtf1 {\\uc3\\u8364 a}bc}").plainText(), QString::fromUtf8("€bc"));
    EXPECT_EQ(read("{\\rtf1 a\\{b\\}c\\\\d\\tab e}").plainText(), "a{b}c\\d\te");
}

TEST(RtfReader, TablesDestinationsPicturesAndObjectsAreSkipped) {
    const char* page = "{\\rtf1{\\fonttbl{\\f0\\fswiss Helvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
                       "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Secret}}{\\*\\generator Writer;}"
                       "{\\*\\unknownthing hidden}shown{\\pict\\pngblip 89504e47}"
                       "{\\object\\objemb{\\*\\objdata 0102}{\\result kept?}} text}";
    const QString text = read(page).plainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("shown")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" text")));
    for (const char* hidden : {"Helvetica", "Normal", "Secret", "Writer", "hidden", "89504e47", "0102"})
        EXPECT_FALSE(text.contains(QString::fromLatin1(hidden))) << hidden;
}

TEST(RtfReader, BinaryDataIsSkippedByCountEvenWithBraces) {
    QByteArray page("{\\rtf1 a{\\*\\blob\\bin6 }}{\\\\}}b\\par c}");
    EXPECT_EQ(readRtf(page).plainText(), "ab\nc");
    // Binary data inside shown text is skipped as well, and a count past the end stops there.
    EXPECT_EQ(readRtf(QByteArray("{\\rtf1 x\\bin3 {{{y}")).plainText(), "xy");
    EXPECT_EQ(readRtf(QByteArray("{\\rtf1 x\\bin999999999999 yyy")).plainText(), "x");
    EXPECT_EQ(readRtf(QByteArray("{\\rtf1 x\\bin-5 y}")).plainText(), "xy");
}

TEST(RtfReader, DamagedInputIsReadAsFarAsItMakesSense) {
    EXPECT_EQ(read("{\\rtf1 unclosed {\\b group").plainText(), "unclosed group");
    EXPECT_EQ(read("}}}{\\rtf1 extra}}}} closers").plainText(), "extra closers");
    EXPECT_EQ(read("{\\rtf1 cut \\'e").plainText(), "cut ");
    EXPECT_EQ(read("{\\rtf1 cut \\'").plainText(), "cut ");
    EXPECT_EQ(read("{\\rtf1 bad \\'zzok}").plainText(), "bad zzok");
    EXPECT_EQ(read("{\\rtf1 half \\'ezok}").plainText(), "half zok");
    EXPECT_EQ(read("{\\rtf1 end\\").plainText(), "end");
    EXPECT_EQ(read("{\\rtf1 \\fs999999999999999999 big}").paragraphs[0].runs[0].halfPoints, 144);
    EXPECT_TRUE(read("").paragraphs.isEmpty());
    EXPECT_EQ(read("not rich text at all").plainText(), "not rich text at all");
}

TEST(RtfReader, DeepNestingIsCutAtTheDepthLimitWithoutRecursion) {
    const int depth = 200000;
    QByteArray page = "{\\rtf1 top";
    page += QByteArray(depth, '{') + "deep" + QByteArray(depth, '}') + " after}";
    EXPECT_EQ(readRtf(page).plainText(), "top after");
    // Within the limit the text is kept.
    QByteArray shallow =
        "{\\rtf1 " + QByteArray(RtfMaxDepth - 2, '{') + "kept" + QByteArray(RtfMaxDepth - 2, '}') + "}";
    EXPECT_EQ(readRtf(shallow).plainText(), "kept");
    // Unclosed deep nesting ends with the file.
    EXPECT_EQ(readRtf("{\\rtf1 a" + QByteArray(depth, '{')).plainText(), "a");
}

// Thousands of cut, flipped and spliced variants of a realistic page: the reader must return, and what
// it returns must be made only of characters of the page or of the escapes it decodes.
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
        const int edits = 1 + static_cast<int>(random() % 8);
        for (int e = 0; e < edits; ++e) {
            const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(page.size() + 1));
            switch (random() % 5) {
            case 0:
                page.truncate(at);
                break;
            case 1:
                if (at < page.size()) page[at] = alphabet[random() % (sizeof alphabet - 1)];
                break;
            case 2:
                page.insert(at, alphabet[random() % (sizeof alphabet - 1)]);
                break;
            case 3:
                page.remove(at, static_cast<qsizetype>(random() % 12));
                break;
            default:
                page.insert(at, page.mid(static_cast<qsizetype>(random() % (page.size() + 1)), 20));
                break;
            }
            if (page.isEmpty()) page = seed.left(static_cast<qsizetype>(random() % seed.size()));
        }
        const RtfDocument doc = readRtf(page);
        const QString text = doc.plainText();
        ASSERT_LE(text.size(), page.size()) << page.toStdString();
        for (const RtfParagraph& p : doc.paragraphs) {
            for (const RtfRun& run : p.runs) {
                ASSERT_FALSE(run.text.isEmpty());
                ASSERT_GE(run.halfPoints, 8);
                ASSERT_LE(run.halfPoints, 144);
            }
        }
        if (!text.isEmpty()) ++nonEmpty;
    }
    EXPECT_GT(nonEmpty, 3000); // most variants still show something
}

TEST(RtfReader, ShippedPagesReadAsText) {
    const QDir help(sourceDir() + QStringLiteral("/data/help"));
    const QStringList pages = help.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    ASSERT_EQ(pages.size(), 7) << help.path().toStdString();
    for (const QString& name : pages) {
        QFile file(help.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const RtfDocument doc = readRtf(file.readAll());
        EXPECT_GT(doc.paragraphs.size(), 3) << name.toStdString();
        const QString text = doc.plainText();
        EXPECT_GT(text.size(), 300) << name.toStdString();
        EXPECT_FALSE(text.contains(u'\\')) << name.toStdString() << ": control word shown as text";
        EXPECT_FALSE(text.contains(u'{') || text.contains(u'}')) << name.toStdString();
    }
}
