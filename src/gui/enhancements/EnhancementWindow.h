#pragma once

#include "core/enhancements/ProgramGenerators.h"

#include <QWidget>

namespace sono {

class MainWindow;
class EnhancementsPanel;

// What every enhancement window shares: its place on the screen, the summary list it reports to, and
// how it shows a generator's outcome.
class EnhancementWindow : public QWidget {
    Q_OBJECT
public:
    explicit EnhancementWindow(MainWindow& main);

protected:
    // Title, size and place; the summary list is emptied unless the window leaves it alone.
    void finishOpening(const QString& title, bool clearSummary);
    EnhancementsPanel& panel();
    // A new program: shown and summarised. A refusal: its message. Returns true when the table changed.
    bool showNewProgram(const Generated& result);

    MainWindow& main_;
};

} // namespace sono
