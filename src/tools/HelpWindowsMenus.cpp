#include "tools/HelpWindows.h"

#include "ui/MainWindow.h"

namespace sono {

void showKeyCommands(MainWindow& main) { (void)main; }

void showHowToCalibrate(MainWindow& main) { (void)main; }

} // namespace sono
