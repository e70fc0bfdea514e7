#pragma once

#include <QByteArray>
#include <QString>
#include <expected>

namespace sono {

// sono.conf: Sono's own settings as key=value lines (sono.ini keeps its two lines as they have always
// been). Lines Sono does not know, other keys and # comments, are kept when a value is written back.
inline const QString SonoConfName = QStringLiteral("sono.conf");
inline const QString PlayInTerminalKey = QStringLiteral("play-in-terminal");

struct SonoConf {
    bool playInTerminal = false; // freqgen in a terminal window of its own, steered by its keys
};

// A value Sono cannot read is a message naming the file and line; nothing of the file is used then.
std::expected<SonoConf, QString> parseSonoConf(const QByteArray& bytes, const QString& fileName);
// The file's bytes (empty for a new file) with `key` set to `value`: its line changed in place, or one
// added at the end.
QByteArray withConfValue(const QByteArray& bytes, const QString& key, const QString& value);
// "true" or "false", as sono.conf writes a switch.
QString confSwitch(bool on);

} // namespace sono
