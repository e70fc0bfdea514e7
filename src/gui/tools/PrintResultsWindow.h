#pragma once

#include <QWidget>

class QCheckBox;
class QProgressBar;
class QPushButton;

namespace sono {

struct Services;

// Form5: writes the current result list to freq.txt and opens it in the editor. The main window is
// disabled while it is open.
class PrintResultsWindow : public QWidget {
    Q_OBJECT
public:
    explicit PrintResultsWindow(Services& services);

    void printPreview(); // Command1
    bool isWriting() const { return writing_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Services& services_;
    QCheckBox* options_[3];
    QProgressBar* progress_;
    QPushButton* preview_;
    QPushButton* exit_;
    bool writing_ = false;
};

} // namespace sono
