#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A reader for the small subset of rich text the help pages use. It never fails: whatever the bytes,
// it returns the text it could make sense of, so a damaged page still shows what is readable.
namespace sono {

struct RtfRun {
    QString text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24; // \fsN: font size in half points (24 = 12 pt)

    bool sameLook(const RtfRun& other) const {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               halfPoints == other.halfPoints;
    }
};

struct RtfParagraph {
    QList<RtfRun> runs;
    QString plainText() const;
};

struct RtfDocument {
    QList<RtfParagraph> paragraphs;
    QString plainText() const; // paragraphs joined by "\n"
};

// Groups deeper than this are skipped whole: enough for any page, and no input can exhaust the stack
// or memory through nesting.
inline constexpr int RtfMaxDepth = 64;

RtfDocument readRtf(const QByteArray& bytes);

} // namespace sono
