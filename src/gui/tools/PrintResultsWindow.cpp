#include "gui/tools/PrintResultsWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/tools/ResultsReport.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_PrintResultsWindow.h"

namespace sono {

PrintResultsWindow::PrintResultsWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::PrintResultsWindow>()) {
    ui_->setupUi(this);
    connect(ui_->Command1, &QPushButton::clicked, this, &PrintResultsWindow::printPreview);
    connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint().expandedTo(QSize(380, 0)));
    placeCentred(this, services.platform, 0);
}

PrintResultsWindow::~PrintResultsWindow() = default;

void PrintResultsWindow::reject() {
    if (writing_) return; // the report is finished first
    QDialog::reject();
}

void PrintResultsWindow::printPreview() {
    if (writing_) return;
    writing_ = true;
    ui_->Command1->setEnabled(false);
    ui_->Command2->setEnabled(false);

    AppState& state = services_.state;
    if (state.ResultCount == 0) state.ResultCount = 1;
    const int count = state.ResultCount;
    ui_->ProgressBar1->setRange(0, count);
    ui_->ProgressBar1->setValue(1);
    const ReportOptions options{ui_->Check1->isChecked(), ui_->Check2->isChecked(), ui_->Check3->isChecked()};
    const QByteArray report = resultsReportBytes(state.database, options, state.now(), [&](int written) {
        ui_->ProgressBar1->setValue(std::min(written, count));
        services_.platform.processEvents();
        return true;
    });
    const QString path = state.filePath(QStringLiteral("freq.txt"));
    const auto written = writeWholeFile(path, report);
    services_.platform.processEvents();
    writing_ = false;
    ui_->Command1->setEnabled(true);
    ui_->Command2->setEnabled(true);
    if (!written) {
        services_.platform.message(written.error() + QStringLiteral("\n\nThe editor was not started."));
        return;
    }
    if (!services_.platform.startProgram(state.EditorPath, {path}, state.AppPath))
        services_.platform.message(
            QStringLiteral("The editor %1 could not be started. The report is in %2.\n\n"
                           "Set the editor in Tools, Set Editor Path.")
                .arg(state.EditorPath, path));
    accept();
}

} // namespace sono
