#pragma once

#include "core/display/WaveSketch.h"

#include <QWidget>
#include <vector>

namespace sono {

// Picture1: paints wave traces given in twips, scaled to the box and clipped by it.
class WaveDisplayWidget : public QWidget {
    Q_OBJECT
public:
    explicit WaveDisplayWidget(QWidget* parent = nullptr);

    void setTraces(std::vector<WaveTrace> traces);
    const std::vector<WaveTrace>& traces() const { return traces_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<WaveTrace> traces_;
};

} // namespace sono
