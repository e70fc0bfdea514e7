#include "gui/enhancements/EnhancementWindow.h"

#include "core/app/Platform.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

namespace sono {

EnhancementWindow::EnhancementWindow(Services& services) : services_(services) {}

void EnhancementWindow::finishOpening(bool clearSummary) {
    adjustSize();
    placeCentred(this, services_.platform, 200);
    if (clearSummary) emit services_.requests.summaryCleared();
}

bool EnhancementWindow::report(const Generated& result, bool replaceSummary) {
    if (!result) {
        services_.platform.message(result.error());
        return false;
    }
    if (result->isEmpty()) return false;
    if (replaceSummary) emit services_.requests.summaryCleared();
    emit services_.requests.summaryAdded(*result);
    return true;
}

} // namespace sono
