#pragma once

#include <QDialog>
#include <memory>

class QTimer;
namespace Ui {
class SplashWindow;
}

namespace sono {

struct AppState;
class Platform;

// frmSplash: checks that the database, settings, help pages and editor are where Sono expects them,
// then offers Proceed (or only Quit when the database is missing). Enter presses the button once the
// timer has enabled it; Esc, like closing the window, leaves Sono before anything is written.
class SplashWindow : public QDialog {
    Q_OBJECT
public:
    SplashWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);
    ~SplashWindow() override;

    bool startupFailed() const { return startupFailed_; }

    void reject() override;

signals:
    void proceed();
    void quit();

private:
    void runChecks();
    void buttonClicked();

    AppState& state_;
    Platform& platform_;
    std::unique_ptr<Ui::SplashWindow> ui_;
    bool startupFailed_ = false;
    QTimer* timer_;
};

} // namespace sono
