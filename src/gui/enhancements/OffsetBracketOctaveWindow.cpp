#include "gui/enhancements/OffsetBracketOctaveWindow.h"

#include "core/app/AppState.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_OffsetBracketOctaveWindow.h"

namespace sono {

OffsetBracketOctaveWindow::OffsetBracketOctaveWindow(Services& services)
    : EnhancementWindow(services), saved_(saveProgram(services.state.program.table())) {
    Ui::OffsetBracketOctaveWindow ui;
    ui.setupUi(this);
    octaveUp_ = ui.Option2_0;
    octaveDown_ = ui.Option2_1;
    restore_ = ui.Option2_2;
    bracket_ = ui.Option1_0;
    value_ = ui.Text1;
    // The prompt keeps the width of its longer text, so the frame does not jump when it changes.
    QLabel* prompt = ui.Label3;
    prompt->setMinimumWidth(prompt->sizeHint().width());
    connect(bracket_, &QRadioButton::toggled, this, [prompt](bool on) {
        prompt->setText(on ? QStringLiteral("Enter + value") : QStringLiteral("Enter + or - value"));
    });
    connect(ui.Command2, &QPushButton::clicked, this, &OffsetBracketOctaveWindow::applyOctave);
    connect(ui.Command3, &QPushButton::clicked, this, &OffsetBracketOctaveWindow::applyOffsetOrBracket);
    // Until this window goes, it is the table's only writer; the close box enables the main window too.
    disableWhileOpen(services.mainWindow, this);
    finishOpening(true);
}

void OffsetBracketOctaveWindow::applyOctave() {
    ProgramDocument& program = services_.state.program;
    if (octaveUp_->isChecked())
        report(program.reshape(octaveUp), false);
    else if (octaveDown_->isChecked())
        report(program.reshape(octaveDown), false);
    else if (restore_->isChecked())
        report(program.reshape([this](ProgramTable& table) { return restoreProgram(table, saved_); }), false);
}

void OffsetBracketOctaveWindow::applyOffsetOrBracket() {
    const bool bracket = bracket_->isChecked();
    report(services_.state.program.reshape([&](ProgramTable& table) {
        return bracket ? addBracket(table, saved_, value_->text()) : addOffset(table, saved_, value_->text());
    }),
           false);
}

} // namespace sono
