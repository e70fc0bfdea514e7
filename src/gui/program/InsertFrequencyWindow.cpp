#include "gui/program/InsertFrequencyWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/program/ProgramEditing.h"
#include "gui/program/ApplyReportWindow.h"
#include "gui/shell/Services.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sono {

InsertFrequencyWindow::InsertFrequencyWindow(Services& services, int position)
    : services_(services), position_(position) {
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

    const std::vector<GridRowText>& rows = services_.state.program.cells();
    if (rows.empty()) {
        selected->setText(QStringLiteral("New Program."));
        before_->setEnabled(false);
        after_->setEnabled(false);
    } else {
        position_ = std::clamp(position_, 1, static_cast<int>(rows.size()));
        selected->setText(rows[static_cast<size_t>(position_ - 1)][1] + QStringLiteral(" Hz"));
    }
    placeBesideMainWindow(this, services_);
}

void InsertFrequencyWindow::accept() {
    if (auto inserted =
            services_.state.program.insert(position_, after_->isChecked(), frequency_->text(), time_->text());
        !inserted) {
        services_.platform.message(inserted.error());
        return;
    }
    close();
}

} // namespace sono
