#pragma once

#include "gui/enhancements/EnhancementWindow.h"

class QLineEdit;
class QRadioButton;

namespace sono {

// Form16: octave shifts of the whole table, offset and bracket copies of the program as it was when
// the window opened, and a restore of that program. The main window is disabled while it is open.
class OffsetBracketOctaveWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit OffsetBracketOctaveWindow(Services& services);

    void applyOctave();
    void applyOffsetOrBracket();

private:
    SavedProgram saved_;
    QRadioButton* octaveUp_;
    QRadioButton* octaveDown_;
    QRadioButton* restore_;
    QRadioButton* bracket_;
    QLineEdit* value_;
};

} // namespace sono
