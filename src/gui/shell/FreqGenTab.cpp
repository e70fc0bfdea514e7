#include "gui/shell/FreqGenTab.h"

#include "core/app/AppState.h"
#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/generator/TransportPanel.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/program/ProgramStrip.h"
#include "gui/shell/Services.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sono {

FreqGenTab::FreqGenTab(Services& services) {
    program_ = new ProgramGridPanel(services);
    manager_ = new FrequencyManagerPanel(services);
    enhancements_ = new EnhancementsPanel(services);
    transport_ = new TransportPanel(services);
    strip_ = new ProgramStrip(services.state.program);
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    columns->addWidget(program_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(manager_, 0);
    right->addWidget(transport_, 0);
    right->addWidget(enhancements_, 1);
    columns->addLayout(right, 2);
    layout->addLayout(columns, 1);
    layout->addWidget(strip_, 0);
}

} // namespace sono
