#include "gui/enhancements/HarmoniserWindow.h"

#include "core/app/Platform.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace sono {

// Picture1: a grey strip whose base lines are given in twips, like the rest of the window's geometry.
class HarmoniserChart : public QWidget {
public:
    HarmoniserChart(QWidget* parent, double dpi) : QWidget(parent), dpi_(dpi) {
        setObjectName(QStringLiteral("Picture1"));
        setAccessibleName(QStringLiteral("Harmoniser chart"));
        setFixedSize(px(3075), px(900));
        // The theme's grey, so the strip stays readable on a dark desktop.
        setBackgroundRole(QPalette::Mid);
        setAutoFillBackground(true);
    }
    void drawBase() {
        baseDrawn_ = true;
        update();
    }
    bool baseDrawn() const { return baseDrawn_; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!baseDrawn_) return;
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.drawLine(px(0), px(515), px(3060), px(515));
        p.drawLine(px(50), px(565), px(3010), px(565));
    }

private:
    int px(int twips) const { return twipsToPixels(twips, dpi_); }

    double dpi_;
    bool baseDrawn_ = false;
};

HarmoniserWindow::HarmoniserWindow(Services& services) : EnhancementWindow(services) {
    using namespace enh;
    auto* explanation =
        label(this, "Label1",
              QStringLiteral("Most disorder sets have no preference in the order they run. Check "
                             "the Database comments. Harmonise provides a few patterns to "
                             "organise your frequency program."),
              true);
    patterns_ = new QComboBox(this);
    patterns_->setObjectName(QStringLiteral("Combo1"));
    patterns_->setAccessibleName(QStringLiteral("Harmoniser pattern"));
    patterns_->setPlaceholderText(QStringLiteral("Select Harmoniser"));
    patterns_->addItems({QStringLiteral("Focus"), QStringLiteral("Open"), QStringLiteral("Victory"),
                         QStringLiteral("Conquer"), QStringLiteral("Random"), QStringLiteral("Restore")});
    patterns_->setCurrentIndex(-1);
    chart_ = new HarmoniserChart(this, services.platform.logicalDpi());
    auto* applyButton = button(this, "Command2", QStringLiteral("Apply"));
    auto* closeButton = button(this, "Command1", QStringLiteral("Close"));
    connect(applyButton, &QPushButton::clicked, this, &HarmoniserWindow::drawChartBase);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* chartGrid = new QGridLayout;
    chartGrid->addWidget(label(this, "Label2_0", QStringLiteral("Hi Freqs")), 0, 0, Qt::AlignTop);
    chartGrid->addWidget(label(this, "Label2_1", QStringLiteral("Lo Freqs")), 1, 0, Qt::AlignBottom);
    chartGrid->addWidget(chart_, 0, 1, 2, 2);
    chartGrid->addWidget(label(this, "Label3_0", QStringLiteral("Start")), 2, 1, Qt::AlignLeft);
    chartGrid->addWidget(label(this, "Label3_1", QStringLiteral("End")), 2, 2, Qt::AlignRight);
    auto* controls = new QHBoxLayout;
    controls->addWidget(patterns_, 1);
    controls->addWidget(applyButton);
    controls->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(chartGrid);
    layout->addLayout(controls);
    setMinimumWidth(320);

    // Timer1: the base is drawn once, shortly after the window shows. Owned by the window, so a close
    // before it fires takes the timer with it.
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setInterval(200);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, &HarmoniserWindow::drawChartBase);
    timer->start();
    finishOpening(QStringLiteral("Sono - Harmoniser"), false);
}

void HarmoniserWindow::drawChartBase() {
    chart_->drawBase();
}

bool HarmoniserWindow::chartBaseDrawn() const {
    return chart_->baseDrawn();
}

} // namespace sono
