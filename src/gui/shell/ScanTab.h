#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class ScanTab;
}

namespace sono {

// Picture2: the chart of a scan, in twips-like units 8500 wide; for now only its base line.
class ScanChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ScanChartWidget(QWidget* parent = nullptr);
    void setBaseLine(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool baseLine_ = false;
};

// The "Scan " tab: a resonance scan that is not built yet. Its controls are shown, marked as not
// functioning, and do nothing.
class ScanTab : public QWidget {
    Q_OBJECT
public:
    explicit ScanTab(QWidget* parent = nullptr);
    ~ScanTab() override;

    void fillScanList();
    void drawBaseLine();

private:
    std::unique_ptr<Ui::ScanTab> ui_;
};

} // namespace sono
