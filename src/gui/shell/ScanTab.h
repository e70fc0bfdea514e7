#pragma once

#include <QWidget>

class QComboBox;

namespace sono {

class ScanChartWidget;

// The "Scan " tab: a resonance scan that is not built yet. Its controls are shown, marked as not
// functioning, and do nothing.
class ScanTab : public QWidget {
    Q_OBJECT
public:
    explicit ScanTab(QWidget* parent = nullptr);

    void fillScanList();
    void drawBaseLine();

private:
    QComboBox* scanList_;
    ScanChartWidget* chart_;
};

} // namespace sono
