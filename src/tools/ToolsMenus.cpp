#include "tools/ToolsMenus.h"

#include "ui/MainWindow.h"

namespace sono {

void installToolsMenus(MainWindow& main) {
    (void)main;
}

} // namespace sono
