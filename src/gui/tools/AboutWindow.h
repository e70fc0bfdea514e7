#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class AboutWindow;
}

namespace sono {

struct Services;

// Form4: the about text in a serif box and two small drawings. Enter and Esc close it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Services& services);
    ~AboutWindow() override;

private:
    std::unique_ptr<Ui::AboutWindow> ui_;
};

} // namespace sono
