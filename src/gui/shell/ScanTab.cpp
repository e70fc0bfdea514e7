#include "gui/shell/ScanTab.h"

#include "ui_ScanTab.h"

#include <QPainter>

namespace sono {

ScanChartWidget::ScanChartWidget(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ScanChartWidget::setBaseLine(bool on) {
    baseLine_ = on;
    update();
}

void ScanChartWidget::paintEvent(QPaintEvent*) {
    if (!baseLine_) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    const double sx = width() / 8500.0;
    const double y = 780.0 * height() / 1200.0;
    painter.drawLine(QPointF(0, y), QPointF(8500 * sx, y));
}

ScanTab::ScanTab(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::ScanTab>()) {
    ui_->setupUi(this);
}

ScanTab::~ScanTab() = default;

void ScanTab::fillScanList() {
    ui_->Combo1->clear();
    ui_->Combo1->addItems({QStringLiteral("Create and Edit a scan"), QStringLiteral("Cancer scan"),
                           QStringLiteral("Herpes Special"), QStringLiteral("Survey scan A"),
                           QStringLiteral("Survey scan B"), QStringLiteral("Reference list scan"),
                           QStringLiteral("My Parasite scan"), QStringLiteral("My Wellness scan :-)"),
                           QStringLiteral("100Hz - 3kHz"), QStringLiteral("3kHz - 6kHz"),
                           QStringLiteral("6kHz - 10kHz"), QStringLiteral("10kHz - 15kHz"),
                           QStringLiteral("15kHz - 20kHz")});
}

void ScanTab::drawBaseLine() {
    ui_->Picture2->setBaseLine(true);
}

} // namespace sono
