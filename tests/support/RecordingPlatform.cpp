#include "support/RecordingPlatform.h"

namespace sono::test {

MessageAnswer RecordingPlatform::message(const QString& text, const QString& title, MessageButtons buttons) {
    messages.append({text, title, buttons});
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingPlatform::startProgram(const QString& program, const QStringList& arguments,
                                     const QString& workingFolder) {
    started.append({program, arguments, workingFolder});
    return startSucceeds;
}

bool RecordingPlatform::openUrl(const QUrl& url) {
    urls.append(url);
    return openSucceeds;
}

QStringList RecordingPlatform::messageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}

} // namespace sono::test
