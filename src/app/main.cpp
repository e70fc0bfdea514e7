#include "app/AppState.h"
#include "ui/Platform.h"
#include "ui/Session.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sono"));
    sono::QtPlatform platform;
    sono::AppState state;
    state.folder = sono::AppFolder(QCoreApplication::applicationDirPath());
    sono::Session session(state, platform);
    QObject::connect(&session, &sono::Session::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    session.start();
    return app.exec();
}
