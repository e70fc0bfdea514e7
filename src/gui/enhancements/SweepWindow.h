#pragma once

#include "gui/enhancements/EnhancementWindow.h"

class QLineEdit;

namespace sono {

// Form13: a rising sweep from four numbers, and a Clear Table button.
class SweepWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit SweepWindow(Services& services);

    void generate();
    void clearTable();

private:
    QLineEdit* start_;
    QLineEdit* stop_;
    QLineEdit* step_;
    QLineEdit* time_;
};

} // namespace sono
