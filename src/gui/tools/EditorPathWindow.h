#pragma once

#include <QWidget>

class QLineEdit;

namespace sono {

class MainWindow;

// Form6: the editor reports open in.
class EditorPathWindow : public QWidget {
    Q_OBJECT
public:
    explicit EditorPathWindow(MainWindow& main);

    void saveAndExit(); // Command1

private:
    MainWindow& main_;
    QLineEdit* path_;
};

} // namespace sono
