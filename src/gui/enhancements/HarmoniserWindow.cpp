#include "gui/enhancements/HarmoniserWindow.h"

#include "core/app/Platform.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_HarmoniserWindow.h"

#include <QPainter>
#include <QTimer>

namespace sono {

HarmoniserChart::HarmoniserChart(QWidget* parent) : QWidget(parent) {
    // The theme's grey, so the strip stays readable on a dark desktop.
    setBackgroundRole(QPalette::Mid);
    setAutoFillBackground(true);
    setDpi(dpi_);
}

void HarmoniserChart::setDpi(double dpi) {
    dpi_ = dpi;
    setFixedSize(px(3075), px(900));
}

void HarmoniserChart::drawBase() {
    baseDrawn_ = true;
    update();
}

void HarmoniserChart::paintEvent(QPaintEvent*) {
    if (!baseDrawn_) return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(px(0), px(515), px(3060), px(515));
    p.drawLine(px(50), px(565), px(3010), px(565));
}

int HarmoniserChart::px(int twips) const {
    return twipsToPixels(twips, dpi_);
}

HarmoniserWindow::HarmoniserWindow(Services& services) : EnhancementWindow(services) {
    Ui::HarmoniserWindow ui;
    ui.setupUi(this);
    chart_ = ui.Picture1;
    chart_->setDpi(services.platform.logicalDpi());
    connect(ui.Command2, &QPushButton::clicked, this, &HarmoniserWindow::drawChartBase);

    // Timer1: the base is drawn once, shortly after the window shows. Owned by the window, so a close
    // before it fires takes the timer with it.
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(200);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &HarmoniserWindow::drawChartBase);
    timer->start();
    finishOpening(false);
}

void HarmoniserWindow::drawChartBase() {
    chart_->drawBase();
}

bool HarmoniserWindow::chartBaseDrawn() const {
    return chart_->baseDrawn();
}

} // namespace sono
