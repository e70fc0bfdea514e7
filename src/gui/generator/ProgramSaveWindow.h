#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ProgramSaveWindow;
}

namespace sono {

struct Services;

// Form10: saves the program (settings and steps) under a typed name. Enter saves; the window stays open
// until Close or Esc.
class ProgramSaveWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgramSaveWindow(Services& services);
    ~ProgramSaveWindow() override;

    void save();

private:
    void fillList(int limit);

    Services& services_;
    std::unique_ptr<Ui::ProgramSaveWindow> ui_;
};

} // namespace sono
