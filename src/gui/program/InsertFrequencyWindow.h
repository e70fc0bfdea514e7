#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace sono {

struct Services;

// frmInsertFreq: a new step before or after the step that was current when the window opened.
class InsertFrequencyWindow : public QWidget {
    Q_OBJECT
public:
    // `position` is the step (1-based) current in the grid, 0 for none.
    InsertFrequencyWindow(Services& services, int position);

    void accept(); // OK
private:
    Services& services_;
    int position_;
    QLineEdit* frequency_;
    QLineEdit* time_;
    QRadioButton* before_;
    QRadioButton* after_;
};

} // namespace sono
