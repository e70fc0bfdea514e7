#pragma once

#include "core/app/Platform.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <deque>

namespace sono::test {

// Records everything Sono would show or start, and answers message boxes from a script (OK by default),
// so no window test ever waits on a modal box.
class RecordingPlatform final : public Platform {
public:
    struct Message {
        QString text;
        QString title;
        MessageButtons buttons;
    };
    struct Started {
        QString program;
        QStringList arguments;
        QString workingFolder;
    };

    MessageAnswer message(const QString& text, const QString& title, MessageButtons buttons) override;
    void beep() override { ++beeps; }
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingFolder) override;
    bool openUrl(const QUrl& url) override;
    QString findExecutable(const QString& name) override { return executables.value(name); }
    void processEvents() override { ++eventPasses; }
    QSize screenSize() override { return {1280, 1024}; }
    double logicalDpi() override { return 96.0; }

    QStringList messageTexts() const;

    QList<Message> messages;
    std::deque<MessageAnswer> answers; // consumed by message(); OK when empty
    int beeps = 0;
    int eventPasses = 0;
    QList<Started> started;
    bool startSucceeds = true;
    QList<QUrl> urls;
    bool openSucceeds = true;
    QMap<QString, QString> executables; // what findExecutable finds
};

} // namespace sono::test
