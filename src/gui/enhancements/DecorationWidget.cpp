#include "gui/enhancements/DecorationWidget.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <cmath>
#include <numbers>

namespace sono {

DecorationWidget::DecorationWidget(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Picture"));
    setAccessibleName(QStringLiteral("Decorative picture"));
    setFixedSize(sizeHint());
    timer_->setInterval(120);
    connect(timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % 36;
        update();
    });
    timer_->start();
}

void DecorationWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(rect()).adjusted(2, 2, -2, -2);
    QRadialGradient glow(disc.center(), disc.width() / 2);
    glow.setColorAt(0, QColor(40, 70, 120));
    glow.setColorAt(1, QColor(10, 20, 45));
    p.setBrush(glow);
    p.setPen(QPen(QColor(120, 160, 220), 1.5));
    p.drawEllipse(disc);

    // Two waves an octave apart, drifting with the phase.
    p.setClipRegion(QRegion(disc.toRect(), QRegion::Ellipse));
    const double shift = phase_ * 2 * std::numbers::pi / 36;
    const QColor colours[2] = {QColor(255, 200, 80), QColor(120, 220, 200)};
    for (int wave = 0; wave < 2; ++wave) {
        QPainterPath path;
        for (int x = 0; x <= width(); ++x) {
            const double y =
                height() / 2.0 +
                (12 - wave * 5) * std::sin((wave + 1) * x * 2 * std::numbers::pi / width() + shift);
            if (x == 0)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colours[wave], 2));
        p.drawPath(path);
    }
}

} // namespace sono
