#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

namespace sono {

struct Services;
class Platform;
struct CapAndDuplicatesReport;

// Form9: what Apply removed and folded.
class ApplyReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ApplyReportWindow(Services& services);

    // Refills both lists and counts.
    void showReport(const CapAndDuplicatesReport& report);

private:
    QListWidget* duplicates_;
    QListWidget* capped_;
    QLabel* duplicateCount_;
    QLabel* cappedCount_;
};

// Where the program table's tool windows open: left at screen width - main width + 500 twips, top at
// screen height - main height - 500 twips, kept on the screen.
void placeBesideMainWindow(QWidget* window, const Services& services);

} // namespace sono
