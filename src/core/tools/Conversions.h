#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <expected>

// Octaves of a frequency: halved again and again, doubled again and again.
namespace sono {

inline constexpr int MaxConversions = 1000;

struct ConversionLists {
    QStringList higher; // List1: 2f, 4f, ... in Hz up to 1,000,000, above it in MHz
    QStringList lower;  // List2: f/2, f/4, ...
    QString note;       // set when the higher list stopped early because the numbers overflowed
};

// Reads the two boxes and lists `count` octaves each way (its whole part; nothing for 0 or below).
// Text that is not a number, or a count above MaxConversions, gives a message.
std::expected<ConversionLists, QString> convertOctaves(QStringView frequencyText, QStringView countText);

} // namespace sono
