#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sono {

struct Services;

// Form21: the 26 measured frequencies, the on/off switch, and the calibration program.
class CalibrationWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalibrationWindow(Services& services);

    void save();
    void generateProgram();

private:
    void boxChanged(int index);

    Services& services_;
    QLineEdit* boxes_[26];
    QLabel* differences_[26];
    QRadioButton* activate_;
    QRadioButton* deactivate_;
    QPushButton* save_;
};

} // namespace sono
