#pragma once

#include "gui/enhancements/EnhancementWindow.h"

namespace sono {

// Picture1: a grey strip whose base lines are given in twips, like the rest of the window's geometry.
class HarmoniserChart : public QWidget {
    Q_OBJECT
public:
    explicit HarmoniserChart(QWidget* parent = nullptr);
    // The strip's size and lines follow the screen's resolution.
    void setDpi(double dpi);
    void drawBase();
    bool baseDrawn() const { return baseDrawn_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int px(int twips) const;

    double dpi_ = 96;
    bool baseDrawn_ = false;
};

// Form17: the harmoniser patterns and their chart. It only shows; the table is never touched.
class HarmoniserWindow : public EnhancementWindow {
    Q_OBJECT
public:
    explicit HarmoniserWindow(Services& services);

    // Draws the chart's two base lines (Apply, and once shortly after opening).
    void drawChartBase();
    bool chartBaseDrawn() const;

private:
    HarmoniserChart* chart_;
};

} // namespace sono
