#include "gui/tools/HelpWindows.h"

#include "gui/shell/MainWindow.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/PageWindow.h"

namespace sono {

namespace {

constexpr int TwipsAboveCentre = 200;

PageWindow* openCentred(MainWindow& main, const QString& form, const QString& title, const QString& file,
                        const QList<PageWindow::Page>& choices = {}) {
    return main.windows().open<PageWindow>(form, [&] {
        auto* window = new PageWindow(main, title, file, {}, choices);
        placeCentred(window, main.platform(), TwipsAboveCentre);
        return window;
    });
}

} // namespace

void showKeyCommands(MainWindow& main) {
    main.windows().open<PageWindow>(QStringLiteral("Form12"), [&] {
        auto* window = new PageWindow(
            main, QStringLiteral("Sono - Freqgen: Key Commands"), QStringLiteral("fgcommand.rtf"),
            QStringLiteral("To execute commands, click on the Freqgen terminal window to bring it into focus "
                           "on your DeskTop."));
        window->resize(520, 560);
        placeTopRight(window, main.platform());
        return window;
    });
}

void showHowToCalibrate(MainWindow& main) {
    openCentred(main, QStringLiteral("Form22"), QStringLiteral("Sono - How To Calibrate Sound Card"),
                QStringLiteral("howtocal.rtf"));
}

void showHelpAndTips(MainWindow& main) {
    const QList<PageWindow::Page> pages = {{QStringLiteral("Introduction"), QStringLiteral("intro.rtf")},
                                           {QStringLiteral("Database"), QStringLiteral("database.rtf")},
                                           {QStringLiteral("Freqgen"), QStringLiteral("freqgen.rtf")},
                                           {QStringLiteral("Scanning"), QStringLiteral("scanning.rtf")}};
    openCentred(main, QStringLiteral("Form8"), QStringLiteral("Sono - Help and Tips"),
                QStringLiteral("intro.rtf"), pages);
}

void showDorvEffect(MainWindow& main) {
    openCentred(main, QStringLiteral("Form18"), QStringLiteral("Sono - The Dorv Effect"),
                QStringLiteral("dorv.rtf"));
}

} // namespace sono
