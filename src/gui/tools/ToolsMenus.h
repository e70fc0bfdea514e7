#pragma once

#include "core/tools/WebLinks.h"

namespace sono {

struct Services;

// What the Tools and Web menu items open.
void openPrintResults(Services& services); // Form5, disables the main window while open
void openConversions(Services& services);  // Form7
void openEditorPath(Services& services);   // Form6
void openAbout(Services& services);        // Form4
void openWebLink(Services& services, const WebLink& link);

} // namespace sono
