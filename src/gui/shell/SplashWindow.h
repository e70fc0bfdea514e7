#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace sono {

struct AppState;
class Platform;

// frmSplash: checks that the database, settings, help pages and editor are where Sono expects them,
// then offers Proceed (or only Quit when the database is missing).
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow(AppState& state, Platform& platform, QWidget* parent = nullptr);

    bool startupFailed() const { return startupFailed_; }

signals:
    void proceed();
    void quit();

private:
    void runChecks();
    void buttonClicked();

    AppState& state_;
    Platform& platform_;
    bool startupFailed_ = false;
    QLabel* build_;
    QLabel* results_[5];
    QCheckBox* troubleshoot_;
    QPushButton* button_;
    QTimer* timer_;
};

} // namespace sono
