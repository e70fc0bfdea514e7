#pragma once

#include "gui/enhancements/EnhancementWindow.h"

class QLineEdit;

namespace sono {

// Form14: seven steps around one target frequency.
class NukeWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit NukeWindow(Services& services);
    void generate();

private:
    QLineEdit* target_;
};

} // namespace sono
