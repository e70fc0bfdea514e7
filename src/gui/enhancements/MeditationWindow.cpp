#include "gui/enhancements/MeditationWindow.h"

#include "core/app/AppState.h"
#include "gui/enhancements/DecorationWidget.h"
#include "gui/enhancements/MeditationAboutWindow.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

MeditationWindow::MeditationWindow(Services& services) : EnhancementWindow(services) {
    using namespace enh;
    const QString defaults[7] = {QStringLiteral("262"), QStringLiteral("294"), QStringLiteral("330"),
                                 QStringLiteral("349"), QStringLiteral("392"), QStringLiteral("440"),
                                 QStringLiteral("494")};
    // Rows run top to bottom, so the highest note (box 6) sits in row 1 and the lowest in row 7. The first
    // column of numbers climbs beside the boxes; the second comes back down beside boxes 6 to 2.
    auto* grid = new QGridLayout;
    auto* heading = label(this, "Label2", QStringLiteral("Freq in Hz"));
    grid->addWidget(heading, 0, 1);
    for (int i = 0; i < 7; ++i) {
        const int row = 7 - i;
        auto* up = label(this, "", QString::number(i + 1));
        up->setObjectName(QStringLiteral("Label1_%1").arg(i));
        grid->addWidget(up, row, 0, Qt::AlignRight);
        auto* note = new QLineEdit(defaults[i], this);
        note->setObjectName(QStringLiteral("Text1_%1").arg(i));
        note->setAccessibleName(QStringLiteral("Note %1 frequency in Hz").arg(i + 1));
        note->setMaximumWidth(90);
        notes_[static_cast<size_t>(i)] = note;
        grid->addWidget(notes_[static_cast<size_t>(i)], row, 1);
    }
    for (int k = 7; k < 12; ++k) {
        // Number k + 1 stands beside box 13 - k - 1 (0-based): 8 beside box 6, ..., 12 beside box 2.
        const int boxIndex = 12 - k;
        auto* down = label(this, "", QString::number(k + 1));
        down->setObjectName(QStringLiteral("Label1_%1").arg(k));
        grid->addWidget(down, 7 - boxIndex, 2, Qt::AlignLeft);
    }
    auto* generateButton = button(this, "Command2", QStringLiteral("Generate"));
    auto* aboutButton = button(this, "Command3", QStringLiteral("About"));
    auto* closeButton = button(this, "Command1", QStringLiteral("Close"));
    connect(generateButton, &QPushButton::clicked, this, &MeditationWindow::generate);
    connect(aboutButton, &QPushButton::clicked, this, &MeditationWindow::openAbout);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* side = new QVBoxLayout;
    side->addWidget(new DecorationWidget(this), 0, Qt::AlignHCenter);
    side->addStretch();
    side->addWidget(generateButton);
    side->addWidget(aboutButton);
    side->addWidget(closeButton);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(16);
    layout->addLayout(side);
    finishOpening(QStringLiteral("Sono CC-Meditation"), true);
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
