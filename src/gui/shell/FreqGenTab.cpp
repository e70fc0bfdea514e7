#include "gui/shell/FreqGenTab.h"

#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/generator/TransportPanel.h"
#include "gui/program/ProgramGridPanel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

FreqGenTab::FreqGenTab(Services& services) {
    program_ = new ProgramGridPanel(services);
    manager_ = new FrequencyManagerPanel(services);
    enhancements_ = new EnhancementsPanel(services);
    transport_ = new TransportPanel(services);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(program_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(manager_, 0);
    right->addWidget(transport_, 0);
    right->addWidget(enhancements_, 1);
    layout->addLayout(right, 2);
}

} // namespace sono
