#pragma once

#include <QString>

namespace sono {

// The About window's text: paragraphs separated by an empty line.
QString aboutText();

} // namespace sono
