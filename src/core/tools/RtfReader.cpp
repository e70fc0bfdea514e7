#include "core/tools/RtfReader.h"

#include <algorithm>
#include <array>
#include <vector>

namespace sono {

QString RtfParagraph::plainText() const {
    QString text;
    for (const RtfRun& run : runs)
        text += run.text;
    return text;
}

QString RtfDocument::plainText() const {
    QStringList lines;
    for (const RtfParagraph& paragraph : paragraphs)
        lines.append(paragraph.plainText());
    return lines.join(u'\n');
}

namespace {

// Pages are written in the Western Windows code page; its 0x80..0x9F block differs from Latin-1.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QChar fromCodePage(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(Cp1252High[byte - 0x80]);
    return QChar(byte);
}

// Groups whose whole content is not page text.
bool isSkippedDestination(const QByteArray& word) {
    static const char* const names[] = {
        "fonttbl",      "colortbl",  "stylesheet", "info",       "pict",      "object",
        "header",       "headerl",   "headerr",    "headerf",    "footer",    "footerl",
        "footerr",      "footerf",   "footnote",   "fldinst",    "listtable", "listoverridetable",
        "revtbl",       "rsidtbl",   "generator",  "xmlnstbl",   "themedata", "colorschememapping",
        "latentstyles", "datastore", "nonshppict", "pntxta",     "pntxtb",    "filetbl",
        "objdata",      "template",  "comment",    "annotation", "bkmkstart", "bkmkend",
        "shpinst"};
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return word == n; });
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct GroupState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    bool skip = false;   // inside a destination whose text is not shown
    int unicodeSkip = 1; // \ucN: characters standing in for each \uN
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : in_(bytes) {}

    RtfDocument read() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                pendingSkip_ = 0;
                openGroup();
            } else if (c == '}') {
                ++pos_;
                pendingSkip_ = 0;
                if (!stack_.empty()) { // a stray closing brace is ignored
                    state_ = stack_.back();
                    stack_.pop_back();
                }
            } else if (c == '\\') {
                ++pos_;
                controlSymbol();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (pendingSkip_ > 0) {
                    --pendingSkip_;
                    continue;
                }
                append(fromCodePage(static_cast<unsigned char>(c)));
            }
        }
        if (!current_.runs.isEmpty()) doc_.paragraphs.append(current_);
        return doc_;
    }

private:
    void openGroup() {
        if (static_cast<int>(stack_.size()) >= RtfMaxDepth) {
            skipGroupRest();
            return;
        }
        stack_.push_back(state_);
    }

    // Skips to the brace that closes the group just opened (or to the end of a truncated file),
    // without any recursion.
    void skipGroupRest() {
        long depth = 1;
        while (pos_ < in_.size() && depth > 0) {
            const char c = in_[pos_++];
            if (c == '\\')
                ++pos_; // an escaped brace does not count
            else if (c == '{')
                ++depth;
            else if (c == '}')
                --depth;
        }
    }

    void controlSymbol() {
        if (pos_ >= in_.size()) return; // a lone backslash at the end
        const char c = in_[pos_];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            controlWord();
            return;
        }
        ++pos_;
        if (c == '\'') {
            const int hi = pos_ < in_.size() ? hexValue(in_[pos_]) : -1;
            const int lo = pos_ + 1 < in_.size() ? hexValue(in_[pos_ + 1]) : -1;
            if (hi < 0 || lo < 0) { // a cut or malformed escape: its hex digits are dropped
                pos_ += hi < 0 ? 0 : 1;
                return;
            }
            pos_ += 2;
            if (pendingSkip_ > 0) {
                --pendingSkip_;
                return;
            }
            append(fromCodePage(static_cast<unsigned char>(hi * 16 + lo)));
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        switch (c) {
        case '*':
            state_.skip = true;
            break; // no optional destination is shown
        case '\\':
        case '{':
        case '}':
            append(QChar::fromLatin1(c));
            break;
        case '~':
            append(QChar(0x00A0));
            break;
        case '_':
            append(QChar(u'-'));
            break;
        case '\r':
        case '\n':
            paragraph();
            break;
        default:
            break; // \- optional hyphen and anything unknown
        }
    }

    void controlWord() {
        QByteArray word;
        while (pos_ < in_.size() && word.size() < 32) {
            const char c = in_[pos_];
            if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) break;
            word.append(c);
            ++pos_;
        }
        while (pos_ < in_.size() &&
               ((in_[pos_] >= 'a' && in_[pos_] <= 'z') || (in_[pos_] >= 'A' && in_[pos_] <= 'Z')))
            ++pos_; // an absurdly long word: the rest is dropped
        bool negative = false;
        bool hasParam = false;
        long long param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
            hasParam = true;
            if (param < 1'000'000'000) param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_; // the delimiter belongs to the word

        if (word == "bin") { // binary data follows: skipped byte for byte, never parsed
            pos_ += std::clamp<long long>(param, 0, in_.size() - pos_);
            return;
        }
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (isSkippedDestination(word)) {
            state_.skip = true;
            return;
        }
        const bool on = !hasParam || param != 0;
        if (word == "par" || word == "sect" || word == "page") {
            paragraph();
        } else if (word == "line") {
            append(QChar(QChar::LineSeparator));
        } else if (word == "tab") {
            append(QChar(u'\t'));
        } else if (word == "b") {
            state_.bold = on;
        } else if (word == "i") {
            state_.italic = on;
        } else if (word == "ul") {
            state_.underline = on;
        } else if (word == "ulnone") {
            state_.underline = false;
        } else if (word == "fs") {
            state_.halfPoints = hasParam ? static_cast<int>(std::clamp<long long>(param, 8, 144)) : 24;
        } else if (word == "plain") {
            state_.bold = state_.italic = state_.underline = false;
            state_.halfPoints = 24;
        } else if (word == "uc") {
            state_.unicodeSkip = static_cast<int>(std::clamp<long long>(param, 0, 8));
        } else if (word == "u") {
            long long code = param;
            if (code < 0) code += 65536;
            if (code >= 0 && code <= 0xFFFF && code != 0) append(QChar(static_cast<char16_t>(code)));
            pendingSkip_ = state_.unicodeSkip;
        } else if (word == "emdash") {
            append(QChar(0x2014));
        } else if (word == "endash") {
            append(QChar(0x2013));
        } else if (word == "bullet") {
            append(QChar(0x2022));
        } else if (word == "lquote") {
            append(QChar(0x2018));
        } else if (word == "rquote") {
            append(QChar(0x2019));
        } else if (word == "ldblquote") {
            append(QChar(0x201C));
        } else if (word == "rdblquote") {
            append(QChar(0x201D));
        }
        // \pard and every other word change nothing this reader shows.
    }

    void append(QChar ch) {
        if (state_.skip) return;
        RtfRun look;
        look.bold = state_.bold;
        look.italic = state_.italic;
        look.underline = state_.underline;
        look.halfPoints = state_.halfPoints;
        if (!current_.runs.isEmpty() && current_.runs.back().sameLook(look)) {
            current_.runs.back().text.append(ch);
            return;
        }
        look.text = QString(ch);
        current_.runs.append(look);
    }

    void paragraph() {
        if (state_.skip) return;
        doc_.paragraphs.append(current_);
        current_ = RtfParagraph{};
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    GroupState state_;
    std::vector<GroupState> stack_;
    int pendingSkip_ = 0;
    RtfParagraph current_;
    RtfDocument doc_;
};

} // namespace

RtfDocument readRtf(const QByteArray& bytes) {
    return Reader(bytes).read();
}

} // namespace sono
