#pragma once

#include <QWidget>

namespace sono {

struct Services;
class ProgramGridPanel;
class FrequencyManagerPanel;
class EnhancementsPanel;
class ProgramStrip;

// The "FreqGen " tab: the program grid on the left, the Frequency Manager and the Enhancements beside it,
// the picture of the program across the bottom.
class FreqGenTab : public QWidget {
    Q_OBJECT
public:
    explicit FreqGenTab(Services& services);

    ProgramGridPanel* programPanel() const { return program_; }
    FrequencyManagerPanel* managerPanel() const { return manager_; }
    EnhancementsPanel* enhancementsPanel() const { return enhancements_; }
    ProgramStrip* programStrip() const { return strip_; }

private:
    ProgramGridPanel* program_;
    FrequencyManagerPanel* manager_;
    EnhancementsPanel* enhancements_;
    ProgramStrip* strip_;
};

} // namespace sono
