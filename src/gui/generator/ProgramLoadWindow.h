#pragma once

#include <QDialog>
#include <memory>

class QListWidgetItem;

namespace Ui {
class ProgramLoadWindow;
}

namespace sono {

struct Services;

// Form11: loads a saved program (settings and steps). Enter loads the selected one; the window stays
// open until Close or Esc.
class ProgramLoadWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgramLoadWindow(Services& services);
    ~ProgramLoadWindow() override;

    void load();

private:
    QListWidgetItem* selectedItem() const;

    Services& services_;
    std::unique_ptr<Ui::ProgramLoadWindow> ui_;
};

} // namespace sono
