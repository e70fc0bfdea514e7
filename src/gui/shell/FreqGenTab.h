#pragma once

#include <QWidget>

namespace sono {

struct Services;
class ProgramStrip;
class ProgramGridPanel;
class FrequencyManagerPanel;
class EnhancementsPanel;
class TransportPanel;

// The "FreqGen " tab: the program grid on the left, the Frequency Manager, the transport of the program
// playing and the Enhancements beside it.
class FreqGenTab : public QWidget {
    Q_OBJECT
public:
    explicit FreqGenTab(Services& services);

    // The picture of the program, across the bottom of the tab.
    ProgramStrip* programStrip() const { return strip_; }

    ProgramGridPanel* programPanel() const { return program_; }
    FrequencyManagerPanel* managerPanel() const { return manager_; }
    EnhancementsPanel* enhancementsPanel() const { return enhancements_; }
    TransportPanel* transportPanel() const { return transport_; }

private:
    ProgramStrip* strip_;
    ProgramGridPanel* program_;
    FrequencyManagerPanel* manager_;
    EnhancementsPanel* enhancements_;
    TransportPanel* transport_;
};

} // namespace sono
