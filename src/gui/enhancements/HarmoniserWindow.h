#pragma once

#include "gui/enhancements/EnhancementWindow.h"

class QComboBox;

namespace sono {

class HarmoniserChart;

// Form17: the harmoniser patterns and their chart. It only shows; the table is never touched.
class HarmoniserWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit HarmoniserWindow(Services& services);

    // Draws the chart's two base lines (Apply, and once shortly after opening).
    void drawChartBase();
    bool chartBaseDrawn() const;

private:
    QComboBox* patterns_;
    HarmoniserChart* chart_;
};

} // namespace sono
