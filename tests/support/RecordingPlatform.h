#pragma once

#include "core/app/Platform.h"

#include <QMap>
#include <QStringList>
#include <QUrl>
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

    MessageAnswer message(const QString& text, const QString& title, MessageButtons buttons) override {
        messages.append({text, title, buttons});
        if (answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void beep() override { ++beeps; }
    bool startProgram(const QString& program, const QStringList& arguments, const QString& folder) override {
        started.append({program, arguments, folder});
        return startSucceeds;
    }
    bool openUrl(const QUrl& url) override {
        urls.append(url);
        return openSucceeds;
    }
    QString findExecutable(const QString& name) override { return executables.value(name); }
    QString saveFileName(const QString& title, const QString&, const QStringList& filters) override {
        fileQuestions.append(title + u' ' + filters.join(u';'));
        if (fileNames.empty()) return {};
        const QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
    QSize screenSize() override { return {1280, 1024}; }
    double logicalDpi() override { return 96.0; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const Message& m : messages)
            texts.append(m.text);
        return texts;
    }

    QList<Message> messages;
    std::deque<MessageAnswer> answers; // consumed by message(); OK when empty
    int beeps = 0;
    QList<Started> started;
    bool startSucceeds = true;
    QList<QUrl> urls;
    bool openSucceeds = true;
    QMap<QString, QString> executables; // what findExecutable finds
    QStringList fileQuestions;          // the title and filters of each file dialog
    std::deque<QString> fileNames;      // the file dialogs' answers; cancelled when empty
};

} // namespace sono::test
