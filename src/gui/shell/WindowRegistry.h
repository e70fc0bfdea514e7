#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace sono {

class Platform;

// Each tool window exists at most once: the first use builds and shows it, a later use raises it,
// closing deletes it and the next use builds a fresh one. Tool windows are dialogs of the owner (the
// main window): a window manager keeps them above it, and one placed nowhere else is centred on it.
class WindowRegistry {
public:
    explicit WindowRegistry(QWidget* owner = nullptr) : owner_(owner) {}

    // The open window with this object name, or nullptr.
    QWidget* find(const QString& objectName) const;

    // Whether a new window keeps the user out of the owner until it closes.
    enum class Blocks { Nothing, Owner };

    // Raises the open window of that name, or builds one with `make`, shows it and returns it.
    // `opened` tells the caller which of the two happened.
    QWidget* open(const QString& objectName, const std::function<QWidget*()>& make, bool* opened = nullptr,
                  Blocks blocks = Blocks::Nothing);

    template <class W>
    W* open(const QString& objectName, const std::function<W*()>& make, bool* opened = nullptr,
            Blocks blocks = Blocks::Nothing) {
        return static_cast<W*>(
            open(objectName, std::function<QWidget*()>([&] { return make(); }), opened, blocks));
    }

    // Closes every open window, the most recently opened first.
    void closeAll();

    QList<QWidget*> openWindows() const;

private:
    QWidget* owner_;
    QList<QPointer<QWidget>> windows_;
};

// Disables `mainWindow` until `tool` is destroyed, however it is closed, and makes `tool` window-modal so
// that a window manager brings it forward when the main window is clicked. Call it before `tool` is
// shown (the registry's Blocks::Owner does): a shown window must be hidden and shown again to take the
// modality, and a window manager may drop a window mapped and unmapped in one breath.
void disableWhileOpen(QWidget* mainWindow, QWidget* tool);

// Window positions and sizes of the forms are given in twips (1440 to the inch).
int twipsToPixels(int twips, double dpi);

// Places a window centred horizontally and `twipsAboveCentre` above the vertical centre of the screen.
void placeCentred(QWidget* window, Platform& platform, int twipsAboveCentre);
// Places a window in the top right corner of the screen.
void placeTopRight(QWidget* window, Platform& platform);

} // namespace sono
