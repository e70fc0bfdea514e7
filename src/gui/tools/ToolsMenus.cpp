#include "gui/tools/ToolsMenus.h"

#include "core/app/Platform.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/AboutWindow.h"
#include "gui/tools/ConversionsWindow.h"
#include "gui/tools/EditorPathWindow.h"
#include "gui/tools/PrintResultsWindow.h"

#include <QUrl>

namespace sono {

void openPrintResults(Services& services) {
    services.windows.open<PrintResultsWindow>(
        QStringLiteral("Form5"), [&] { return new PrintResultsWindow(services); }, nullptr,
        WindowRegistry::Blocks::Owner);
}

void openConversions(Services& services) {
    services.windows.open<ConversionsWindow>(QStringLiteral("Form7"),
                                             [&] { return new ConversionsWindow(services); });
}

void openEditorPath(Services& services) {
    services.windows.open<EditorPathWindow>(QStringLiteral("Form6"),
                                            [&] { return new EditorPathWindow(services); });
}

void openAbout(Services& services) {
    services.windows.open<AboutWindow>(QStringLiteral("Form4"), [&] { return new AboutWindow(services); });
}

void openWebLink(Services& services, const WebLink& link) {
    const QUrl url(QString::fromLatin1(link.url));
    if (!services.platform.openUrl(url))
        services.platform.message(
            QStringLiteral("The web page %1 could not be opened.\n\nIs a web browser set up?")
                .arg(url.toString()));
}

} // namespace sono
