#include "core/app/AppState.h"
#include "gui/shell/QtPlatform.h"
#include "gui/shell/Session.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

namespace {

const QString AppId = QStringLiteral(SONO_APP_ID);

bool asksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (word == "--") break;
        if (word == "-h" || word == "--help" || word == "-?" || word == "--help-all" || word == "-v" ||
            word == "--version")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Sono"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SONO_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Keeps a database of audio frequency sets and plays them through freqgen."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Keep Sono's files in <dir> instead of the user's data "
                                                    "folder ($XDG_DATA_HOME/sono)."),
                                     QStringLiteral("dir"));
    parser.addOption(dataDir);
    // Help and version need no display, so they are answered before a window system is opened.
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication core(argc, argv);
        parser.process(core);
        return 0;
    }

    QApplication app(argc, argv);
    parser.process(app);
    QGuiApplication::setDesktopFileName(AppId);
    QApplication::setWindowIcon(QIcon::fromTheme(AppId, QIcon(QStringLiteral(":/sono/icon.png"))));
    sono::QtPlatform desktop;
    sono::Platform& platform = desktop;
    const QString program = QCoreApplication::applicationDirPath();
    const auto folder = sono::chooseAppFolder(
        {program, QDir::cleanPath(program + u'/' + QStringLiteral(SONO_SHARE_FROM_BIN)),
         parser.value(dataDir), qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("HOME")});
    if (!folder) {
        platform.message(folder.error());
        return 1;
    }
    sono::AppState state;
    state.folder = *folder;
    sono::Session session(state, platform);
    QObject::connect(&session, &sono::Session::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    session.start();
    return app.exec();
}
