#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ConversionsWindow;
}

namespace sono {

struct Services;

// Form7: octaves of a frequency, halved and doubled. Enter calculates, Esc closes.
class ConversionsWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConversionsWindow(Services& services);
    ~ConversionsWindow() override;

    void calculate(); // Command1_0

private:
    Services& services_;
    std::unique_ptr<Ui::ConversionsWindow> ui_;
};

} // namespace sono
