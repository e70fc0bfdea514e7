#include "gui/shell/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

namespace sono {

namespace {

// While a message box is open no window closes: a close asked for meanwhile (the window manager, a
// screen reader pressing a button of the blocked window, a second quick click) waits until the box is
// answered. The code that opened the box still runs inside that window and would otherwise return
// into a deleted object.
class CloseHold final : public QObject {
public:
    CloseHold() { QCoreApplication::instance()->installEventFilter(this); }
    ~CloseHold() override {
        QCoreApplication::instance()->removeEventFilter(this);
        for (const QPointer<QWidget>& window : held_) {
            if (window) QTimer::singleShot(0, window, [window] { window->close(); });
        }
    }
    CloseHold(const CloseHold&) = delete;
    CloseHold& operator=(const CloseHold&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close || !watched->isWidgetType() || qobject_cast<QMessageBox*>(watched))
            return false;
        auto* window = static_cast<QWidget*>(watched);
        // Menus, tool tips and other boxes close as usual.
        if (window->windowType() != Qt::Window && window->windowType() != Qt::Dialog) return false;
        if (!held_.contains(window)) held_.append(window);
        event->ignore();
        return true;
    }

private:
    QList<QPointer<QWidget>> held_;
};

} // namespace

MessageAnswer QtPlatform::message(const QString& text, const QString& title, MessageButtons buttons) {
    QMessageBox::StandardButtons shown = QMessageBox::Ok;
    if (buttons == MessageButtons::OkCancel) shown = QMessageBox::Ok | QMessageBox::Cancel;
    if (buttons == MessageButtons::SaveDiscardCancel)
        shown = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    // Owned by no window, so closing a window can never take the box with it; it still stays above
    // the window it speaks for.
    QMessageBox box(QMessageBox::NoIcon, title, text, shown);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setWindowModality(Qt::ApplicationModal);
    if (buttons == MessageButtons::SaveDiscardCancel) box.setDefaultButton(QMessageBox::Save);
    if (const QWidget* owner = QApplication::activeWindow(); owner && owner->windowHandle()) {
        box.winId();
        box.windowHandle()->setTransientParent(owner->windowHandle());
    }
    const CloseHold hold;
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

QString QtPlatform::saveFileName(const QString& title, const QString& proposed, const QStringList& filters) {
    QFileDialog dialog(QApplication::activeWindow(), title, proposed);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    const auto suffixOf = [](const QString& filter) {
        static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
        return pattern.match(filter).captured(1);
    };
    dialog.setDefaultSuffix(suffixOf(filters.value(0)));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    const CloseHold hold;
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
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
