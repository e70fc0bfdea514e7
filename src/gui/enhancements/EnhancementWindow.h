#pragma once

#include "core/enhancements/ProgramGenerators.h"

#include <QWidget>

namespace sono {

struct Services;

// What every enhancement window shares: its place on the screen, and how it reports a generator's
// outcome (the program document has already redrawn the grid) to the summary list.
class EnhancementWindow : public QWidget {
    Q_OBJECT
public:
    explicit EnhancementWindow(Services& services);

protected:
    // Title, size and place; the summary list is emptied unless the window leaves it alone.
    void finishOpening(const QString& title, bool clearSummary);
    // A refusal: its message. New lines: they replace the summary, or are added to it. Returns true
    // when the table changed.
    bool report(const Generated& result, bool replaceSummary);

    Services& services_;
};

} // namespace sono
