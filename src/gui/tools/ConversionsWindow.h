#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace sono {

class MainWindow;

// Form7: octaves of a frequency, halved and doubled.
class ConversionsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsWindow(MainWindow& main);

    void calculate(); // Command1_0

private:
    MainWindow& main_;
    QLineEdit* frequency_;
    QLineEdit* count_;
    QListWidget* higher_;
    QListWidget* lower_;
};

} // namespace sono
