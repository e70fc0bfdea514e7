#pragma once

#include "gui/enhancements/EnhancementWindow.h"

namespace sono {

// Form20: what the meditation program does and which note sets suit it.
class MeditationAboutWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit MeditationAboutWindow(Services& services);

    static QString aboutText();
};

} // namespace sono
