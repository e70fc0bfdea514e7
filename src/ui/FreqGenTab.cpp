#include "ui/FreqGenTab.h"

#include "enhancements/EnhancementsPanel.h"
#include "generator/FrequencyManagerPanel.h"
#include "program/ProgramGridPanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

FreqGenTab::FreqGenTab(MainWindow& main) {
    program_ = new ProgramGridPanel(main);
    manager_ = new FrequencyManagerPanel(main);
    enhancements_ = new EnhancementsPanel(main);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(program_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(manager_, 0);
    right->addWidget(enhancements_, 1);
    layout->addLayout(right, 2);
}

} // namespace sono
