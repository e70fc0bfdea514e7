#pragma once

#include "core/app/Platform.h"

namespace sono {

// The real desktop: message boxes, the system beep, QProcess, QDesktopServices. A message box belongs to
// no window, and while it is open a window asked to close waits until the box has been answered, so the
// code that opened the box never returns into a deleted window.
class QtPlatform final : public Platform {
public:
    MessageAnswer message(const QString& text, const QString& title, MessageButtons buttons) override;
    void beep() override;
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override;
    bool openUrl(const QUrl& url) override;
    QString findExecutable(const QString& name) override;
    QString saveFileName(const QString& title, const QString& proposed, const QStringList& filters) override;
    QSize screenSize() override;
    double logicalDpi() override;
};

} // namespace sono
