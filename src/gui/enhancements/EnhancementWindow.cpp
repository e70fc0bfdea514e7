#include "gui/enhancements/EnhancementWindow.h"

#include "core/app/Platform.h"
#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowRegistry.h"

namespace sono {

EnhancementWindow::EnhancementWindow(MainWindow& main) : main_(main) {}

void EnhancementWindow::finishOpening(const QString& title, bool clearSummary) {
    setWindowTitle(title);
    adjustSize();
    placeCentred(this, main_.platform(), 200);
    if (clearSummary) panel().clearSummary();
}

EnhancementsPanel& EnhancementWindow::panel() {
    return *main_.enhancementsPanel();
}

bool EnhancementWindow::showNewProgram(const Generated& result) {
    if (!result) {
        main_.platform().message(result.error());
        return false;
    }
    if (result->isEmpty()) return false;
    panel().showNewProgram(*result);
    return true;
}

} // namespace sono
