#pragma once

namespace sono {

class MainWindow;

// The help-page windows other parts of Sono open.
void showKeyCommands(MainWindow& main);    // Form12, shown by Run and by the Tools menu
void showHowToCalibrate(MainWindow& main); // Form22, from the calibration window

} // namespace sono
