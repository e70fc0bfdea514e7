#pragma once

#include <QByteArray>
#include <QString>

namespace sono {

// The order of descriptions in every list: case and accents ignored first ("Ärger" among the A's,
// "élan" among the E's), then the description itself by code point, so the order is total and the same
// whatever the desktop's locale. Keys compare bytewise (memcmp); equal descriptions give equal keys.
QByteArray descriptionSortKey(QStringView description);

// The part of a key that only ignores case and accents (a letter search narrows to this range).
QByteArray primarySortKey(QStringView text);

} // namespace sono
