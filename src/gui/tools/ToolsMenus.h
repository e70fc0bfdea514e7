#pragma once

namespace sono {

class MainWindow;

// Wires the Tools menu items and the Web menu to the report, conversion, editor-path and help windows.
void installToolsMenus(MainWindow& main);

} // namespace sono
