#pragma once

#include <QObject>
#include <QPointer>

namespace sono {

struct AppState;
class Platform;
class SplashWindow;
class MainWindow;

// One run of Sono: the start-up check window, then the main window, then the end.
class Session : public QObject {
    Q_OBJECT
public:
    Session(AppState& state, Platform& platform);
    ~Session() override;

    void start();
    SplashWindow* splash() const;
    MainWindow* mainWindow() const;

signals:
    // The program should end (Quit on the start-up window, or the main window could not open).
    void finished();

private:
    void proceed();

    AppState& state_;
    Platform& platform_;
    QPointer<SplashWindow> splash_;
    QPointer<MainWindow> main_;
};

} // namespace sono
