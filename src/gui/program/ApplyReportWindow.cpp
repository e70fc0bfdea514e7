#include "gui/program/ApplyReportWindow.h"

#include "core/app/Platform.h"
#include "core/program/CapAndDuplicates.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

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

ApplyReportWindow::ApplyReportWindow(Services& services) {
    setWindowTitle(QStringLiteral("Sono"));
    auto* heading = new QLabel(QStringLiteral("Duplicate and Cap Report"), this);
    heading->setObjectName(QStringLiteral("Label3"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    duplicateCount_ = new QLabel(this);
    duplicateCount_->setObjectName(QStringLiteral("Label1"));
    duplicates_ = new QListWidget(this);
    duplicates_->setObjectName(QStringLiteral("List1"));
    duplicates_->setAccessibleName(QStringLiteral("Duplicates removed"));
    duplicateCount_->setBuddy(duplicates_);
    cappedCount_ = new QLabel(this);
    cappedCount_->setObjectName(QStringLiteral("Label2"));
    capped_ = new QListWidget(this);
    capped_->setObjectName(QStringLiteral("List2"));
    capped_->setAccessibleName(QStringLiteral("Frequencies capped"));
    cappedCount_->setBuddy(capped_);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading, 0, Qt::AlignHCenter);
    layout->addWidget(duplicateCount_);
    layout->addWidget(duplicates_);
    layout->addWidget(cappedCount_);
    layout->addWidget(capped_);
    layout->addWidget(close, 0, Qt::AlignHCenter);
    resize(260, 380);
    placeBesideMainWindow(this, services);
}

void ApplyReportWindow::showReport(const CapAndDuplicatesReport& report) {
    duplicates_->clear();
    duplicates_->addItems(report.duplicates);
    capped_->clear();
    capped_->addItems(report.capped);
    duplicateCount_->setText(report.duplicateCaption());
    cappedCount_->setText(report.cappedCaption());
}

} // namespace sono
