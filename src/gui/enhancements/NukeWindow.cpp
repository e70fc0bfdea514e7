#include "gui/enhancements/NukeWindow.h"

#include "core/app/AppState.h"
#include "gui/enhancements/DecorationWidget.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace sono {

NukeWindow::NukeWindow(Services& services) : EnhancementWindow(services) {
    using namespace enh;
    auto* explanation = label(
        this, "Label1",
        QStringLiteral("Sono will generate a frequency pattern that will blanket the target region. "), true);
    QLabel* caption = label(this, "", QStringLiteral("Enter Freq in Hz"));
    target_ = box(this, "Text1", caption);
    auto* okButton = button(this, "Command1", QStringLiteral("OK"));
    auto* closeButton = button(this, "Command2", QStringLiteral("Close"));
    connect(okButton, &QPushButton::clicked, this, &NukeWindow::generate);
    connect(target_, &QLineEdit::returnPressed, this, &NukeWindow::generate);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 3);
    layout->addWidget(new DecorationWidget(this), 0, 3, 2, 1, Qt::AlignTop);
    layout->addWidget(caption, 1, 0);
    layout->addWidget(target_, 1, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons, 2, 0, 1, 4);
    setMinimumWidth(380);
    finishOpening(QStringLiteral("Sono - Nuke'em"), true);
}

void NukeWindow::generate() {
    AppState& state = services_.state;
    const Generated result = state.program.generate(
        [&](ProgramTable& table) { return makeNuke(table, state.enhancementMemory, target_->text()); });
    if (report(result, true)) close();
}

} // namespace sono
