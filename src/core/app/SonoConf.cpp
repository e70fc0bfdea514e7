#include "core/app/SonoConf.h"

#include "core/common/QuotedFields.h"

#include <QList>

namespace sono {

namespace {

struct ConfLine {
    QString key;
    QString value;
};

// A key=value line, blanks around both ignored; nothing for comments, blank and other lines.
std::optional<ConfLine> confLine(QStringView line) {
    const QStringView text = line.trimmed();
    const qsizetype eq = text.indexOf(u'=');
    if (text.startsWith(u'#') || eq <= 0) return std::nullopt;
    return ConfLine{text.left(eq).trimmed().toString(), text.mid(eq + 1).trimmed().toString()};
}

std::optional<bool> switchValue(const QString& value) {
    const QString v = value.toLower();
    if (v == u"true" || v == u"on" || v == u"yes" || v == u"1") return true;
    if (v == u"false" || v == u"off" || v == u"no" || v == u"0") return false;
    return std::nullopt;
}

} // namespace

std::expected<SonoConf, QString> parseSonoConf(const QByteArray& bytes, const QString& fileName) {
    SonoConf conf;
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto line = confLine(lines[i]);
        if (!line || line->key != PlayInTerminalKey) continue;
        const auto on = switchValue(line->value);
        if (!on)
            return std::unexpected(QStringLiteral("%1, line %2: \"%3\" is not true or false.")
                                       .arg(fileName)
                                       .arg(i + 1)
                                       .arg(quotedInMessage(line->value)));
        conf.playInTerminal = *on;
    }
    return conf;
}

QByteArray withConfValue(const QByteArray& bytes, const QString& key, const QString& value) {
    QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast(); // the end of the last line
    const QString newLine = key + u'=' + value;
    bool set = false;
    for (QString& line : lines) {
        const auto conf = confLine(line);
        if (!conf || conf->key != key) continue;
        // Later lines of the same key would override this one on reading.
        line = set ? QStringLiteral("# ") + line : newLine;
        set = true;
    }
    if (!set) lines.append(newLine);
    return (lines.join(u'\n') + u'\n').toUtf8();
}

QString confSwitch(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace sono
