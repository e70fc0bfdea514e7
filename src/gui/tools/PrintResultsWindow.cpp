#include "gui/tools/PrintResultsWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/tools/ResultsReport.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace sono {

PrintResultsWindow::PrintResultsWindow(Services& services) : services_(services) {
    setWindowTitle(QStringLiteral("Sono - Print Results List"));
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Print Options"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(frame);
    const char* captions[3] = {"Print comments", "Print frequencies", "Print blank line between records"};
    for (int i = 0; i < 3; ++i) {
        options_[i] = new QCheckBox(QString::fromLatin1(captions[i]), frame);
        options_[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        frameLayout->addWidget(options_[i]);
    }
    layout->addWidget(frame);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setAccessibleName(QStringLiteral("Records written"));
    progress_->setValue(0);
    layout->addWidget(progress_);
    auto* buttons = new QHBoxLayout;
    preview_ = new QPushButton(QStringLiteral("Print Preview"), this);
    preview_->setObjectName(QStringLiteral("Command1"));
    exit_ = new QPushButton(QStringLiteral("Exit"), this);
    exit_->setObjectName(QStringLiteral("Command2"));
    buttons->addStretch();
    buttons->addWidget(preview_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);
    connect(preview_, &QPushButton::clicked, this, &PrintResultsWindow::printPreview);
    connect(exit_, &QPushButton::clicked, this, &QWidget::close);
    resize(sizeHint().expandedTo(QSize(380, 0)));
    placeCentred(this, services.platform, 0);
}

void PrintResultsWindow::closeEvent(QCloseEvent* event) {
    if (writing_) {
        event->ignore(); // the report is finished first
        return;
    }
    QWidget::closeEvent(event);
}

void PrintResultsWindow::printPreview() {
    if (writing_) return;
    writing_ = true;
    preview_->setEnabled(false);
    exit_->setEnabled(false);

    AppState& state = services_.state;
    if (state.ResultCount == 0) state.ResultCount = 1;
    const int count = state.ResultCount;
    progress_->setRange(0, count);
    progress_->setValue(1);
    const ReportOptions options{options_[0]->isChecked(), options_[1]->isChecked(), options_[2]->isChecked()};
    const QByteArray report = resultsReportBytes(state.database, options, state.now(), [&](int written) {
        progress_->setValue(std::min(written, count));
        services_.platform.processEvents();
        return true;
    });
    const QString path = state.filePath(QStringLiteral("freq.txt"));
    const auto written = writeWholeFile(path, report);
    services_.platform.processEvents();
    writing_ = false;
    preview_->setEnabled(true);
    exit_->setEnabled(true);
    if (!written) {
        services_.platform.message(written.error() + QStringLiteral("\n\nThe editor was not started."));
        return;
    }
    if (!services_.platform.startProgram(state.EditorPath, {path}, state.AppPath))
        services_.platform.message(
            QStringLiteral("The editor %1 could not be started. The report is in %2.\n\n"
                           "Set the editor in Tools, Set Editor Path.")
                .arg(state.EditorPath, path));
    close();
}

} // namespace sono
