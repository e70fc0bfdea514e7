#include "gui/tools/HelpWindows.h"

#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/PageWindow.h"

namespace sono {

namespace {

constexpr int TwipsAboveCentre = 200;

PageWindow* openCentred(Services& services, const QString& form, const QString& title, const QString& file,
                        const QList<PageWindow::Page>& choices = {}) {
    return services.windows.open<PageWindow>(form, [&] {
        auto* window = new PageWindow(services, title, file, {}, choices);
        placeCentred(window, services.platform, TwipsAboveCentre);
        return window;
    });
}

} // namespace

void showKeyCommands(Services& services) {
    services.windows.open<PageWindow>(QStringLiteral("Form12"), [&] {
        auto* window = new PageWindow(
            services, QStringLiteral("Sono - Freqgen: Key Commands"), QStringLiteral("fgcommand.rtf"),
            QStringLiteral("The buttons under Playing on the FreqGen tab give these commands. Playing in a "
                           "terminal window, click on it to bring it into focus and use the keys."));
        window->resize(520, 560);
        placeTopRight(window, services.platform);
        return window;
    });
}

void showHowToCalibrate(Services& services) {
    openCentred(services, QStringLiteral("Form22"), QStringLiteral("Sono - How To Calibrate Sound Card"),
                QStringLiteral("howtocal.rtf"));
}

void showHelpAndTips(Services& services) {
    const QList<PageWindow::Page> pages = {{QStringLiteral("Introduction"), QStringLiteral("intro.rtf")},
                                           {QStringLiteral("Database"), QStringLiteral("database.rtf")},
                                           {QStringLiteral("Freqgen"), QStringLiteral("freqgen.rtf")},
                                           {QStringLiteral("Scanning"), QStringLiteral("scanning.rtf")}};
    openCentred(services, QStringLiteral("Form8"), QStringLiteral("Sono - Help and Tips"),
                QStringLiteral("intro.rtf"), pages);
}

void showDorvEffect(Services& services) {
    openCentred(services, QStringLiteral("Form18"), QStringLiteral("Sono - The Dorv Effect"),
                QStringLiteral("dorv.rtf"));
}

} // namespace sono
