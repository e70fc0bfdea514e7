#include "gui/shell/Session.h"

#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/SplashWindow.h"

namespace sono {

Session::Session(AppState& state, Platform& platform) : state_(state), platform_(platform) {}

Session::~Session() {
    delete splash_.data();
    delete main_.data();
}

SplashWindow* Session::splash() const {
    return splash_;
}
MainWindow* Session::mainWindow() const {
    return main_;
}

void Session::start() {
    splash_ = new SplashWindow(state_, platform_);
    splash_->setAttribute(Qt::WA_DeleteOnClose);
    connect(splash_, &SplashWindow::proceed, this, &Session::proceed);
    connect(splash_, &SplashWindow::quit, this, &Session::finished);
    splash_->show();
}

void Session::proceed() {
    if (splash_) {
        splash_->hide();
        splash_->deleteLater();
    }
    main_ = new MainWindow(state_, platform_);
    main_->setAttribute(Qt::WA_DeleteOnClose);
    if (!main_->load()) {
        main_->deleteLater();
        emit finished();
        return;
    }
    main_->show();
}

} // namespace sono
