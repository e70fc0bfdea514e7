#include "ui/Platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

namespace sono {

MessageAnswer QtPlatform::message(const QString& text, const QString& title, MessageButtons buttons) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MessageButtons::OkCancel) shown = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == MessageButtons::SaveDiscardCancel)
        shown = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::NoIcon, title, text, shown, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    if (buttons == MessageButtons::SaveDiscardCancel) box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Save:
        return MessageAnswer::Save;
    case QMessageBox::Discard:
        return MessageAnswer::Discard;
    default:
        return MessageAnswer::Ok;
    }
}

void QtPlatform::beep() {
    QApplication::beep();
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments,
                              const QString& workingFolder) {
    return QProcess::startDetached(program, arguments, workingFolder);
}

bool QtPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

QString QtPlatform::findExecutable(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

void QtPlatform::processEvents() {
    QApplication::processEvents();
}

QSize QtPlatform::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(1280, 800);
}

double QtPlatform::logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

} // namespace sono
