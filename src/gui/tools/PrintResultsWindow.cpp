#include "gui/tools/PrintResultsWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/tools/ResultsReport.h"
#include "gui/shell/BackgroundWork.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_PrintResultsWindow.h"

#include <QPointer>

namespace sono {

PrintResultsWindow::PrintResultsWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::PrintResultsWindow>()) {
    ui_->setupUi(this);
    connect(ui_->Command1, &QPushButton::clicked, this, &PrintResultsWindow::printPreview);
    connect(ui_->Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(&services.work, &BackgroundWork::progressed, this, [this](int done, int) {
        if (writing_) ui_->ProgressBar1->setValue(std::min(done, ui_->ProgressBar1->maximum()));
    });
    resize(sizeHint().expandedTo(QSize(380, 0)));
    placeCentred(this, services.platform, 0);
}

// A window deleted at shut-down while its report is written stops the work first.
PrintResultsWindow::~PrintResultsWindow() {
    if (writing_) services_.work.cancelAndWait();
}

void PrintResultsWindow::reject() {
    if (writing_) return; // the report is finished first
    QDialog::reject();
}

void PrintResultsWindow::printPreview() {
    if (writing_) return;
    AppState& state = services_.state;
    if (state.ResultCount == 0) state.ResultCount = 1;
    const int count = state.ResultCount;
    const ReportOptions options{ui_->Check1->isChecked(), ui_->Check2->isChecked(), ui_->Check3->isChecked()};
    // The report reads the current search through a connection of its own, so the windows keep theirs.
    const QString databasePath = state.database.path();
    const SearchQuery query = state.database.query();
    const QDateTime when = state.now();
    auto report = std::make_shared<std::expected<QByteArray, QString>>();
    const bool started = services_.work.start(
        this, QStringLiteral("Print Results list"),
        [=](BackgroundWork::Progress& progress) {
            *report = resultsReportBytes(databasePath, query, options, when, [&progress, count](int k) {
                progress.set(k, count);
                return !progress.cancelled();
            });
        },
        [self = QPointer(this), report](bool cancelled) {
            if (self) self->reportWritten(*report, cancelled);
        });
    if (!started) return;
    writing_ = true;
    ui_->Command1->setEnabled(false);
    ui_->Command2->setEnabled(false);
    ui_->ProgressBar1->setRange(0, count);
    ui_->ProgressBar1->setValue(1);
}

void PrintResultsWindow::reportWritten(const std::expected<QByteArray, QString>& report, bool cancelled) {
    writing_ = false;
    ui_->Command1->setEnabled(true);
    ui_->Command2->setEnabled(true);
    if (cancelled) return; // nothing is written
    AppState& state = services_.state;
    const QString path = state.filePath(QStringLiteral("freq.txt"));
    const auto written = report ? writeWholeFile(path, *report) : std::unexpected(report.error());
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
