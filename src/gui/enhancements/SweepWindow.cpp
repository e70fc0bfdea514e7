#include "gui/enhancements/SweepWindow.h"

#include "core/app/AppState.h"
#include "gui/enhancements/DecorationWidget.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

SweepWindow::SweepWindow(Services& services) : EnhancementWindow(services) {
    using namespace enh;
    auto* explanation = label(
        this, "Label1",
        QStringLiteral("Sono will generate your sweep program placing it in the program table for editing."),
        true);
    auto* boxes = new QGridLayout;
    const char* names[4] = {"Text1", "Text2", "Text3", "Text4"};
    const QString captions[4] = {QStringLiteral("Start Freq."), QStringLiteral("Stop Freq."),
                                 QStringLiteral("Step"), QStringLiteral("Time")};
    QLineEdit** edits[4] = {&start_, &stop_, &step_, &time_};
    for (int i = 0; i < 4; ++i) {
        QLabel* caption = label(this, "", captions[i]);
        *edits[i] = box(this, names[i], caption);
        boxes->addWidget(caption, i, 0);
        boxes->addWidget(*edits[i], i, 1);
    }
    auto* generateButton = button(this, "Command2", QStringLiteral("Generate"));
    auto* clearButton = button(this, "Command3", QStringLiteral("Clear Table"));
    auto* closeButton = button(this, "Command1", QStringLiteral("Close"));
    connect(generateButton, &QPushButton::clicked, this, &SweepWindow::generate);
    connect(clearButton, &QPushButton::clicked, this, &SweepWindow::clearTable);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* top = new QHBoxLayout;
    top->addLayout(boxes, 1);
    top->addWidget(new DecorationWidget(this), 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(generateButton);
    buttons->addWidget(clearButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    finishOpening(QStringLiteral("Sono - Sweep Function"), true);
}

void SweepWindow::generate() {
    report(services_.state.program.generate([this](ProgramTable& table) {
        return makeSweep(table, start_->text(), stop_->text(), step_->text(), time_->text());
    }),
           true);
}

void SweepWindow::clearTable() {
    services_.state.program.clear();
}

} // namespace sono
