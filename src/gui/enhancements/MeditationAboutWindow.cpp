#include "gui/enhancements/MeditationAboutWindow.h"

#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

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

MeditationAboutWindow::MeditationAboutWindow(Services& services) {
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("Text1"));
    text->setAccessibleName(QStringLiteral("About CC-Meditation"));
    text->setReadOnly(true);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setPlainText(aboutText());
    auto* closeButton = enh::button(this, "Command1", QStringLiteral("Close"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(closeButton, 0, Qt::AlignRight);
    setWindowTitle(QStringLiteral("Sono About: CC-Meditation"));
    resize(460, 380);
    placeCentred(this, services.platform, 200);
}

} // namespace sono
