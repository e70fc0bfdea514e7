#include "gui/enhancements/MeditationAboutWindow.h"

#include "ui_MeditationAboutWindow.h"

namespace sono {

QString MeditationAboutWindow::aboutText() {
    const QStringList paragraphs{
        QStringLiteral("CC-Meditation is an experimental tool: use it with care and judge the results for "
                       "yourself."),
        QStringLiteral(
            "The program uses 7 frequencies, and steps through each frequency in the order shown on "
            "the diagram."),
        QStringLiteral(
            "Each frequency dwell (on time) is 1 second. Note frequencies can be found in the database "
            "with the search code 'mkn', which isolates 100 musical key note entries. The default "
            "program starts at middle C, C4 in the database."),
        QStringLiteral("Starting from the bottom a popular set is : C, D, E, F, G, A, B. (default set)"),
        QStringLiteral("Another set provided is : E, G#, F#, A#, C, D, A."),
        QStringLiteral(
            "Saving and loading note sets is not provided: type the seven frequencies into the boxes "
            "each time."),
        QStringLiteral("Good luck, and enjoy your meditation.")};
    return paragraphs.join(QStringLiteral("\n\n"));
}

MeditationAboutWindow::MeditationAboutWindow(Services& services) : EnhancementWindow(services) {
    Ui::MeditationAboutWindow ui;
    ui.setupUi(this);
    ui.Text1->setPlainText(aboutText());
    finishOpening(false);
}

} // namespace sono
