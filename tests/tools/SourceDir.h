#pragma once

#include <QString>

// The source tree, for tests that read the shipped data: from the test environment when it is set,
// else from where Qt Test says the tests were built from.
inline QString sourceDir() {
    const QString fromEnvironment = qEnvironmentVariable("SONO_TEST_SOURCE_DIR");
    return fromEnvironment.isEmpty() ? QStringLiteral(QT_TESTCASE_SOURCEDIR "/..") : fromEnvironment;
}
