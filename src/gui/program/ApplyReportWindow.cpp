#include "gui/program/ApplyReportWindow.h"

#include "core/app/Platform.h"
#include "core/program/CapAndDuplicates.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include "ui_ApplyReportWindow.h"

namespace sono {

void placeBesideMainWindow(QWidget* window, const Services& services) {
    Platform& platform = services.platform;
    const QWidget* main = services.mainWindow;
    const QSize screen = platform.screenSize();
    const int offset = twipsToPixels(500, platform.logicalDpi());
    const QSize size = window->sizeHint().expandedTo(window->size());
    const int left =
        std::clamp(screen.width() - main->width() + offset, 0, std::max(0, screen.width() - size.width()));
    const int top = std::clamp(screen.height() - main->height() - offset, 0,
                               std::max(0, screen.height() - size.height()));
    window->move(left, top);
}

ApplyReportWindow::ApplyReportWindow(Services& services) : ui_(std::make_unique<Ui::ApplyReportWindow>()) {
    ui_->setupUi(this);
    placeBesideMainWindow(this, services);
}

ApplyReportWindow::~ApplyReportWindow() = default;

void ApplyReportWindow::showReport(const CapAndDuplicatesReport& report) {
    ui_->List1->clear();
    ui_->List1->addItems(report.duplicates);
    ui_->List2->clear();
    ui_->List2->addItems(report.capped);
    ui_->Label1->setText(report.duplicateCaption());
    ui_->Label2->setText(report.cappedCaption());
}

} // namespace sono
