#pragma once

#include "gui/enhancements/EnhancementWindow.h"

#include <array>

class QLineEdit;

namespace sono {

// Form19: seven notes climbed and descended for twenty minutes.
class MeditationWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit MeditationWindow(Services& services);

    void generate();
    void openAbout();

private:
    std::array<QLineEdit*, 7> notes_{}; // [0] is the bottom box
};

} // namespace sono
