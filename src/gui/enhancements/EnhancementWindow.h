#pragma once

#include "core/enhancements/ProgramGenerators.h"

#include <QCloseEvent>
#include <QDialog>

namespace sono {

struct Services;

// What every enhancement window shares: its place on the screen, Esc as its Close button, and how it
// reports a generator's outcome (the program document has already redrawn the grid) to the summary list.
class EnhancementWindow : public QDialog {
    Q_OBJECT
public:
    explicit EnhancementWindow(Services& services);

    // Esc goes the way of the Close button and the close box: the window is closed, not just hidden.
    void reject() override { close(); }

protected:
    // QDialog's own close event would call reject() again from inside close().
    void closeEvent(QCloseEvent* event) override { event->accept(); }
    // Size and place from the loaded form; the summary list is emptied unless the window leaves it alone.
    void finishOpening(bool clearSummary);
    // A refusal: its message. New lines: they replace the summary, or are added to it. Returns true
    // when the table changed.
    bool report(const Generated& result, bool replaceSummary);

    Services& services_;
};

} // namespace sono
