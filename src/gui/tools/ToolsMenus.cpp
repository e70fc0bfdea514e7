#include "gui/tools/ToolsMenus.h"

#include "core/app/Platform.h"
#include "core/tools/WebLinks.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/AboutWindow.h"
#include "gui/tools/ConversionsWindow.h"
#include "gui/tools/EditorPathWindow.h"
#include "gui/tools/HelpWindows.h"
#include "gui/tools/PrintResultsWindow.h"

#include <QAction>
#include <QMenu>
#include <QUrl>

namespace sono {

namespace {

void onMenu(MainWindow& main, const char* item, const std::function<void()>& handler) {
    if (QAction* action = main.menuAction(QString::fromLatin1(item)))
        QObject::connect(action, &QAction::triggered, &main, handler);
}

} // namespace

void installToolsMenus(MainWindow& main) {
    MainWindow* m = &main;
    onMenu(main, "pLr", [m] {
        bool opened = false;
        QWidget* window = m->windows().open<PrintResultsWindow>(
            QStringLiteral("Form5"), [m] { return new PrintResultsWindow(*m); }, &opened);
        if (opened) disableWhileOpen(m, window);
    });
    onMenu(main, "FreqConversions", [m] {
        m->windows().open<ConversionsWindow>(QStringLiteral("Form7"),
                                             [m] { return new ConversionsWindow(*m); });
    });
    onMenu(main, "SetEditorPath", [m] {
        m->windows().open<EditorPathWindow>(QStringLiteral("Form6"),
                                            [m] { return new EditorPathWindow(*m); });
    });
    onMenu(main, "AboutSono", [m] {
        m->windows().open<AboutWindow>(QStringLiteral("Form4"), [m] { return new AboutWindow(*m); });
    });
    onMenu(main, "HelpandTips", [m] { showHelpAndTips(*m); });
    onMenu(main, "fgKeyCommands", [m] { showKeyCommands(*m); });
    onMenu(main, "Dorv_Effect", [m] { showDorvEffect(*m); });

    if (QMenu* web = main.webMenu()) {
        for (size_t i = 0; i < WebLinks.size(); ++i) {
            const WebLink link = WebLinks[i];
            QAction* action = web->addAction(QString::fromUtf8(link.caption));
            action->setObjectName(QStringLiteral("Web_%1").arg(i));
            action->setToolTip(QString::fromLatin1(link.url));
            QObject::connect(action, &QAction::triggered, m, [m, link] {
                const QUrl url(QString::fromLatin1(link.url));
                if (!m->platform().openUrl(url))
                    m->platform().message(
                        QStringLiteral("The web page %1 could not be opened.\n\nIs a web browser set up?")
                            .arg(url.toString()));
            });
        }
    }
}

} // namespace sono
