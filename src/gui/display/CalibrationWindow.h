#pragma once

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;

namespace Ui {
class CalibrationWindow;
}

namespace sono {

struct Services;

// Form21: the 26 measured frequencies, the on/off switch, and the calibration program. Enter saves,
// Esc closes without saving.
class CalibrationWindow : public QDialog {
    Q_OBJECT
public:
    explicit CalibrationWindow(Services& services);
    ~CalibrationWindow() override;

    void save();
    void generateProgram();

private:
    void boxChanged(int index);

    Services& services_;
    std::unique_ptr<Ui::CalibrationWindow> ui_;
    QLineEdit* boxes_[26];
    QLabel* differences_[26];
};

} // namespace sono
