#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class EditorPathWindow;
}

namespace sono {

struct Services;

// Form6: the editor reports open in. Enter saves, Esc leaves the setting as it was.
class EditorPathWindow : public QDialog {
    Q_OBJECT
public:
    explicit EditorPathWindow(Services& services);
    ~EditorPathWindow() override;

    void saveAndExit(); // Command1

private:
    Services& services_;
    std::unique_ptr<Ui::EditorPathWindow> ui_;
};

} // namespace sono
