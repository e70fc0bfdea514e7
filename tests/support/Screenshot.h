#pragma once

#include <QString>
#include <QWidget>

namespace sono::test {

// Saves a picture of the window into $SONO_SCREENSHOT_DIR when that is set, so a developer can look
// at each window as the tests leave it. Does nothing otherwise.
inline void screenshot(QWidget* window, const QString& name) {
    const QString dir = qEnvironmentVariable("SONO_SCREENSHOT_DIR");
    if (dir.isEmpty() || !window) return;
    window->grab().save(dir + QStringLiteral("/") + name + QStringLiteral(".png"));
}

} // namespace sono::test
