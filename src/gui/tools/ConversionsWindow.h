#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace sono {

struct Services;

// Form7: octaves of a frequency, halved and doubled.
class ConversionsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ConversionsWindow(Services& services);

    void calculate(); // Command1_0

private:
    Services& services_;
    QLineEdit* frequency_;
    QLineEdit* count_;
    QListWidget* higher_;
    QListWidget* lower_;
};

} // namespace sono
