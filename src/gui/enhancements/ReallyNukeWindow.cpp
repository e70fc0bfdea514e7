#include "gui/enhancements/ReallyNukeWindow.h"

#include "core/app/AppState.h"
#include "gui/enhancements/DecorationWidget.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

ReallyNukeWindow::ReallyNukeWindow(Services& services) : EnhancementWindow(services) {
    using namespace enh;
    auto* warning = label(this, "Label1", QStringLiteral("WARNING !"));
    QFont heading = warning->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    warning->setFont(heading);
    warning->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto* what = label(this, "Label2",
                       QStringLiteral("Really NUKE'em is a special programmed function of Freqgen."), true);
    auto* goal = label(
        this, "Label3",
        QStringLiteral("An excellent display of frequency firepower with the goal of microbe elimination."),
        true);
    auto* vital =
        label(this, "Label4",
              QStringLiteral("It is vital to your health that you understand the Dorv Effect. Check the "
                             "Tools menu for information that explains the Dorv effect before using "
                             "this enhancement."),
              true);
    auto* instruction =
        label(this, "Label6",
              QStringLiteral(
                  "While Freqgen is running your frequency, press <shift> <N> and the following frequency "
                  "spread will be added to the program at 180 second duration per frequency. This program "
                  "will take just under 1 hour to complete."),
              true);
    auto* offsets =
        label(this, "Label7",
              QStringLiteral("-3, -2, -1.5, -1, -0.75, -0.5, -0.25, -0.10, -0.05, 0.05, 0.10, 0.25, "
                             "0.5, 0.75, 1, 1.5, 2, 3"),
              true);
    QLabel* caption = label(this, "", QStringLiteral("Enter Freq in Hz"));
    target_ = box(this, "Text1", caption);
    auto* executeButton = button(this, "Command2", QStringLiteral("Execute"));
    auto* closeButton = button(this, "Command1", QStringLiteral("Close"));
    connect(executeButton, &QPushButton::clicked, this, &ReallyNukeWindow::generate);
    connect(target_, &QLineEdit::returnPressed, this, &ReallyNukeWindow::generate);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* head = new QHBoxLayout;
    auto* texts = new QVBoxLayout;
    texts->addWidget(warning);
    texts->addWidget(what);
    texts->addWidget(goal);
    head->addLayout(texts, 1);
    head->addWidget(new DecorationWidget(this), 0, Qt::AlignTop);
    auto* entry = new QHBoxLayout;
    entry->addWidget(caption);
    entry->addWidget(target_, 1);
    entry->addWidget(executeButton);
    entry->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(vital);
    layout->addWidget(instruction);
    layout->addWidget(offsets);
    layout->addLayout(entry);
    setMinimumWidth(460);
    finishOpening(QStringLiteral("Sono - Really NUKE'em"), true);
}

void ReallyNukeWindow::generate() {
    AppState& state = services_.state;
    const Generated result = state.program.generate(
        [&](ProgramTable& table) { return makeReallyNuke(table, state.enhancementMemory, target_->text()); });
    if (report(result, true)) close();
}

} // namespace sono
