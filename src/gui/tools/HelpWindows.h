#pragma once

namespace sono {

class MainWindow;

// The help-page windows. Each comes to the front, page unchanged, when it is already open.
void showKeyCommands(MainWindow& main);    // Form12, shown by Run and by the Tools menu
void showHowToCalibrate(MainWindow& main); // Form22, from the calibration window
void showHelpAndTips(MainWindow& main);    // Form8, four pages
void showDorvEffect(MainWindow& main);     // Form18

} // namespace sono
