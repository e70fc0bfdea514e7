#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace sono {

enum class MessageButtons { Ok, OkCancel, SaveDiscardCancel };
enum class MessageAnswer { Ok, Cancel, Save, Discard };

inline const QString AppTitle = QStringLiteral("Sono12");

// Everything that leaves the process or waits on the user goes through here, so window tests can
// watch it and answer it without a modal box ever blocking them.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MessageAnswer message(const QString& text, const QString& title = AppTitle,
                                  MessageButtons buttons = MessageButtons::Ok) = 0;
    virtual void beep() = 0;
    // Starts a program detached, with an argument list and never through a shell.
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) = 0;
    virtual bool openUrl(const QUrl& url) = 0;
    // Full path of an executable found on PATH, or empty.
    virtual QString findExecutable(const QString& name) = 0;
    // A file name to write, chosen by the user starting from `proposed`; empty when cancelled. The name
    // gets the extension of the chosen filter ("WAV (*.wav)") when it has none.
    virtual QString saveFileName(const QString& title, const QString& proposed,
                                 const QStringList& filters) = 0;
    virtual QSize screenSize() = 0;
    // Logical dots per inch, for window positions given in twips.
    virtual double logicalDpi() = 0;
};

} // namespace sono
