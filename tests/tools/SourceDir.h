#pragma once

#include <QString>

// The source tree, for tests that read the shipped data.
inline QString sourceDir() { return QStringLiteral(SONO_TEST_SOURCE_DIR); }
