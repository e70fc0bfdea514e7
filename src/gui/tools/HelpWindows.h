#pragma once

namespace sono {

struct Services;

// The help-page windows. Each comes to the front, page unchanged, when it is already open.
void showKeyCommands(Services& services);    // Form12, shown by Run and by the Tools menu
void showHowToCalibrate(Services& services); // Form22, from the calibration window
void showHelpAndTips(Services& services);    // Form8, four pages
void showDorvEffect(Services& services);     // Form18

} // namespace sono
