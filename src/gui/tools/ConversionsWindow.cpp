#include "gui/tools/ConversionsWindow.h"

#include "core/app/Platform.h"
#include "core/tools/Conversions.h"
#include "gui/shell/Services.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace sono {

ConversionsWindow::ConversionsWindow(Services& services) : services_(services) {
    setWindowTitle(QStringLiteral("Sono - Conversions"));
    auto* layout = new QVBoxLayout(this);

    auto* frame = new QGroupBox(QStringLiteral("Input Data"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* inputs = new QGridLayout(frame);
    frequency_ = new QLineEdit(QStringLiteral("11780000"), frame);
    frequency_->setObjectName(QStringLiteral("Text1"));
    count_ = new QLineEdit(QStringLiteral("11"), frame);
    count_->setObjectName(QStringLiteral("Text2"));
    auto* label1 = new QLabel(QStringLiteral("Freq to convert in Hz"), frame);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(frequency_);
    auto* label2 = new QLabel(QStringLiteral("No. of calculations"), frame);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setBuddy(count_);
    frequency_->setAccessibleName(label1->text());
    count_->setAccessibleName(label2->text());
    inputs->addWidget(label1, 0, 0);
    inputs->addWidget(frequency_, 0, 1);
    inputs->addWidget(label2, 1, 0);
    inputs->addWidget(count_, 1, 1);
    layout->addWidget(frame);

    auto* lists = new QGridLayout;
    auto* label4 = new QLabel(QStringLiteral("Higher Frequencies"), this);
    label4->setObjectName(QStringLiteral("Label4"));
    auto* label3 = new QLabel(QStringLiteral("Lower frequencies"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    higher_ = new QListWidget(this);
    higher_->setObjectName(QStringLiteral("List1"));
    higher_->setAccessibleName(label4->text());
    lower_ = new QListWidget(this);
    lower_->setObjectName(QStringLiteral("List2"));
    lower_->setAccessibleName(label3->text());
    label4->setBuddy(higher_);
    label3->setBuddy(lower_);
    for (QListWidget* list : {higher_, lower_})
        list->setMinimumSize(230, 240);
    lists->addWidget(label3, 0, 0);
    lists->addWidget(label4, 0, 1);
    lists->addWidget(lower_, 1, 0);
    lists->addWidget(higher_, 1, 1);
    layout->addLayout(lists, 1);

    auto* buttons = new QHBoxLayout;
    auto* calculateButton = new QPushButton(QStringLiteral("Calculate"), this);
    calculateButton->setObjectName(QStringLiteral("Command1_0"));
    calculateButton->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1_1"));
    buttons->addStretch();
    buttons->addWidget(calculateButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(calculateButton, &QPushButton::clicked, this, &ConversionsWindow::calculate);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    move(0, 0);
}

void ConversionsWindow::calculate() {
    higher_->clear();
    lower_->clear();
    auto lists = convertOctaves(frequency_->text(), count_->text());
    if (!lists) {
        services_.platform.message(lists.error());
        return;
    }
    higher_->addItems(lists->higher);
    lower_->addItems(lists->lower);
    if (!lists->note.isEmpty()) services_.platform.message(lists->note);
}

} // namespace sono
