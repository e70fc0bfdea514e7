#pragma once

#include "core/enhancements/ProgramGenerators.h"

#include <QDialog>

namespace sono {

struct Services;

// What every enhancement window shares: its place on the screen, and how it reports a generator's outcome
// (the program document has already redrawn the grid) to the summary list.
class EnhancementWindow : public QDialog {
    Q_OBJECT
public:
    // A dialog: Esc closes it as its Close button does (the registry deletes closed windows), Enter
    // presses the default button of its form.
    explicit EnhancementWindow(Services& services);

protected:
    // Size and place from the loaded form; the summary list is emptied unless the window leaves it alone.
    void finishOpening(bool clearSummary);
    // A refusal: its message. New lines: they replace the summary, or are added to it. Returns true
    // when the table changed.
    bool report(const Generated& result, bool replaceSummary);

    Services& services_;
};

} // namespace sono
