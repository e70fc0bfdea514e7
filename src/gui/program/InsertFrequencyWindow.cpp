#include "gui/program/InsertFrequencyWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/program/ProgramEditing.h"
#include "gui/program/ApplyReportWindow.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/shell/MainWindow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sono {

InsertFrequencyWindow::InsertFrequencyWindow(MainWindow& main, int position)
    : main_(main), position_(position) {
    setWindowTitle(QStringLiteral("Sono Insert Frequency"));
    auto* selected = new QLabel(this);
    selected->setObjectName(QStringLiteral("Label1"));
    auto* frequencyLabel = new QLabel(QStringLiteral("Frequency"), this);
    frequency_ = new QLineEdit(this);
    frequency_->setObjectName(QStringLiteral("Text1"));
    frequencyLabel->setBuddy(frequency_);
    auto* timeLabel = new QLabel(QStringLiteral("Time"), this);
    time_ = new QLineEdit(this);
    time_->setObjectName(QStringLiteral("Text2"));
    timeLabel->setBuddy(time_);

    auto* frame = new QGroupBox(QStringLiteral(" Select Option "), this);
    before_ = new QRadioButton(QStringLiteral("Before"), frame);
    before_->setObjectName(QStringLiteral("Option1_0"));
    after_ = new QRadioButton(QStringLiteral("After"), frame);
    after_->setObjectName(QStringLiteral("Option1_1"));
    auto* frameLayout = new QHBoxLayout(frame);
    frameLayout->addWidget(before_);
    frameLayout->addWidget(after_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    connect(ok, &QPushButton::clicked, this, &InsertFrequencyWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(selected, 0, 0, 1, 2);
    layout->addWidget(frequencyLabel, 1, 0);
    layout->addWidget(frequency_, 1, 1);
    layout->addWidget(timeLabel, 2, 0);
    layout->addWidget(time_, 2, 1);
    layout->addWidget(frame, 3, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 4, 0, 1, 2);

    QTableWidget* grid = main_.programPanel()->grid();
    if (grid->rowCount() == 0) {
        selected->setText(QStringLiteral("New Program."));
        before_->setEnabled(false);
        after_->setEnabled(false);
    } else {
        position_ = std::clamp(position_, 1, grid->rowCount());
        const QTableWidgetItem* cell = grid->item(position_ - 1, 1);
        selected->setText((cell ? cell->text() : QString()) + QStringLiteral(" Hz"));
    }
    placeBesideMainWindow(this, main_);
}

void InsertFrequencyWindow::accept() {
    ProgramTable& table = main_.state().program;
    if (auto inserted = insertStep(table, position_, after_->isChecked(), frequency_->text(), time_->text());
        !inserted) {
        main_.platform().message(inserted.error());
        return;
    }
    ProgramGridPanel* panel = main_.programPanel();
    panel->setRowCount(table.StepCount);
    panel->resetChangeBox(false);
    main_.DisplayGrid();
    close();
}

} // namespace sono
