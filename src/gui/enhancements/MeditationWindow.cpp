#include "gui/enhancements/MeditationWindow.h"

#include "core/app/AppState.h"
#include "gui/enhancements/MeditationAboutWindow.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_MeditationWindow.h"

namespace sono {

MeditationWindow::MeditationWindow(Services& services) : EnhancementWindow(services) {
    Ui::MeditationWindow ui;
    ui.setupUi(this);
    const QString defaults[7] = {QStringLiteral("262"), QStringLiteral("294"), QStringLiteral("330"),
                                 QStringLiteral("349"), QStringLiteral("392"), QStringLiteral("440"),
                                 QStringLiteral("494")};
    // Rows run top to bottom below the heading, so the highest note (box 6) sits in row 1 and the lowest
    // in row 7. The first column of numbers climbs beside the boxes; the second comes back down beside
    // boxes 6 to 2.
    QGridLayout* grid = ui.notesGrid;
    const auto number = [this](int k) {
        QLabel* l = enh::label(this, "", QString::number(k + 1));
        l->setObjectName(QStringLiteral("Label1_%1").arg(k));
        return l;
    };
    for (int i = 0; i < 7; ++i) {
        const int row = 7 - i;
        grid->addWidget(number(i), row, 0, Qt::AlignRight);
        auto* note = new QLineEdit(defaults[i], this);
        note->setObjectName(QStringLiteral("Text1_%1").arg(i));
        note->setAccessibleName(QStringLiteral("Note %1 frequency in Hz").arg(i + 1));
        note->setMaximumWidth(90);
        notes_[static_cast<size_t>(i)] = note;
        grid->addWidget(note, row, 1);
    }
    // Number k + 1 stands beside box 12 - k (0-based): 8 beside box 6, ..., 12 beside box 2.
    for (int k = 7; k < 12; ++k)
        grid->addWidget(number(k), 7 - (12 - k), 2, Qt::AlignLeft);
    connect(ui.Command2, &QPushButton::clicked, this, &MeditationWindow::generate);
    connect(ui.Command3, &QPushButton::clicked, this, &MeditationWindow::openAbout);
    finishOpening(true);
}

void MeditationWindow::generate() {
    emit services_.requests.summaryCleared();
    std::array<QString, 7> texts;
    for (size_t i = 0; i < texts.size(); ++i)
        texts[i] = notes_[i]->text();
    AppState& state = services_.state;
    report(state.program.generate(
               [&](ProgramTable& table) { return makeMeditation(table, state.enhancementMemory, texts); }),
           true);
}

void MeditationWindow::openAbout() {
    services_.windows.open<MeditationAboutWindow>(QStringLiteral("Form20"),
                                                  [this] { return new MeditationAboutWindow(services_); });
}

} // namespace sono
