#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class InsertFrequencyWindow;
}

namespace sono {

struct Services;

// frmInsertFreq: a new step before or after the step that was current when the window opened. Enter is
// OK, Esc is Cancel.
class InsertFrequencyWindow : public QDialog {
    Q_OBJECT
public:
    // `position` is the step (1-based) current in the grid, 0 for none.
    InsertFrequencyWindow(Services& services, int position);
    ~InsertFrequencyWindow() override;

    // OK: inserts the step and closes, or tells what is wrong and stays open.
    void accept() override;

private:
    Services& services_;
    int position_;
    std::unique_ptr<Ui::InsertFrequencyWindow> ui_;
};

} // namespace sono
