#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <expected>
#include <memory>

namespace Ui {
class PrintResultsWindow;
}

namespace sono {

struct Services;

// Form5: writes the current result list to freq.txt and opens it in the editor. The main window is
// disabled while it is open. Enter previews, Esc exits, neither while the report is being written.
class PrintResultsWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrintResultsWindow(Services& services);
    ~PrintResultsWindow() override;

    // Command1: the report is written by background work; the window waits for it.
    void printPreview();
    bool isWriting() const { return writing_; }

    // Every way of closing (Exit, Esc, the title bar) waits for the report.
    void reject() override;

private:
    void reportWritten(const std::expected<QByteArray, QString>& report, bool cancelled);

    Services& services_;
    std::unique_ptr<Ui::PrintResultsWindow> ui_;
    bool writing_ = false;
};

} // namespace sono
