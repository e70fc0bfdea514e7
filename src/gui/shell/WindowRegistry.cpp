#include "gui/shell/WindowRegistry.h"

#include "core/app/Platform.h"

#include <algorithm>
#include <cmath>

namespace sono {

QWidget* WindowRegistry::find(const QString& objectName) const {
    for (const auto& window : windows_) {
        // A closed window is hidden until it is deleted; the next use builds a fresh one.
        if (window && window->objectName() == objectName && !window->isHidden()) return window;
    }
    return nullptr;
}

QWidget* WindowRegistry::open(const QString& objectName, const std::function<QWidget*()>& make, bool* opened,
                              Blocks blocks) {
    windows_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    if (QWidget* existing = find(objectName)) {
        existing->showNormal();
        existing->raise();
        existing->activateWindow();
        if (opened) *opened = false;
        return existing;
    }
    QWidget* window = make();
    if (owner_ && window->parentWidget() != owner_) {
        const bool placed = window->testAttribute(Qt::WA_Moved);
        const QPoint at = window->pos();
        window->setParent(owner_, (window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        if (placed) window->move(at);
    }
    // A window opened while the owner is disabled (by another blocking window) must still take input.
    if (window->isWindow()) window->setEnabled(true);
    if (owner_ && !window->testAttribute(Qt::WA_Moved)) {
        const QSize size = window->sizeHint().expandedTo(window->size());
        window->move(owner_->frameGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    if (blocks == Blocks::Owner && owner_) disableWhileOpen(owner_, window);
    window->setObjectName(objectName);
    window->setAttribute(Qt::WA_DeleteOnClose);
    windows_.append(window);
    window->show();
    window->raise();
    window->activateWindow();
    if (opened) *opened = true;
    return window;
}

void WindowRegistry::closeAll() {
    // Copy first: closing deletes windows, which changes the list under us.
    const QList<QPointer<QWidget>> windows = windows_;
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it) (*it)->close();
    }
    for (const auto& window : windows) {
        if (window) delete window.data(); // a window that refused to close still goes at shut-down
    }
    windows_.clear();
}

QList<QWidget*> WindowRegistry::openWindows() const {
    QList<QWidget*> result;
    for (const auto& window : windows_) {
        if (window) result.append(window);
    }
    return result;
}

void disableWhileOpen(QWidget* mainWindow, QWidget* tool) {
    if (tool->windowModality() != Qt::WindowModal) {
        const bool shown = tool->isVisible();
        if (shown) tool->hide(); // modality is taken when a window is shown
        tool->setWindowModality(Qt::WindowModal);
        if (shown) tool->show();
    }
    mainWindow->setEnabled(false);
    // Disabling reaches the main window's dialogs too; they stay usable, only the main window waits.
    for (QWidget* child : mainWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow()) child->setEnabled(true);
    QPointer<QWidget> guard(mainWindow);
    QObject::connect(tool, &QObject::destroyed, mainWindow, [guard] {
        if (guard) guard->setEnabled(true);
    });
}

int twipsToPixels(int twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

void placeCentred(QWidget* window, Platform& platform, int twipsAboveCentre) {
    const QSize screen = platform.screenSize();
    const QSize size = window->frameSize().isValid() && window->isVisible()
                           ? window->frameSize()
                           : window->sizeHint().expandedTo(window->size());
    const int left = std::max(0, (screen.width() - size.width()) / 2);
    const int top = std::max(0, (screen.height() - size.height()) / 2 -
                                    twipsToPixels(twipsAboveCentre, platform.logicalDpi()));
    window->move(left, top);
}

void placeTopRight(QWidget* window, Platform& platform) {
    const QSize screen = platform.screenSize();
    const QSize size = window->sizeHint().expandedTo(window->size());
    window->move(std::max(0, screen.width() - size.width()), 0);
}

} // namespace sono
