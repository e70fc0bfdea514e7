#pragma once

#include "gui/enhancements/EnhancementWindow.h"

class QLineEdit;

namespace sono {

// Form15: the target alone, with the warnings about the generator's own spread.
class ReallyNukeWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit ReallyNukeWindow(Services& services);
    void generate();

private:
    QLineEdit* target_;
};

} // namespace sono
