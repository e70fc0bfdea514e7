#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class ApplyReportWindow;
}

namespace sono {

struct Services;
class Platform;
struct CapAndDuplicatesReport;

// Form9: what Apply removed and folded. Enter and Esc close it.
class ApplyReportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ApplyReportWindow(Services& services);
    ~ApplyReportWindow() override;

    // Refills both lists and counts.
    void showReport(const CapAndDuplicatesReport& report);

private:
    std::unique_ptr<Ui::ApplyReportWindow> ui_;
};

// Where the program table's tool windows open: left at screen width - main width + 500 twips, top at
// screen height - main height - 500 twips, kept on the screen.
void placeBesideMainWindow(QWidget* window, const Services& services);

} // namespace sono
