#include "gui/display/WaveDisplayWidget.h"

#include <QPainter>
#include <QPolygonF>

namespace sono {

WaveDisplayWidget::WaveDisplayWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1_0"));
    setAccessibleName(QStringLiteral("Wave form picture"));
    // 1935 x 495 twips, drawn a little larger than at 96 dpi so the shapes can be told apart.
    setFixedSize(194, 50);
}

void WaveDisplayWidget::setTraces(std::vector<WaveTrace> traces) {
    traces_ = std::move(traces);
    update();
}

void WaveDisplayWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Drawn in the theme's own colours, so a dark desktop keeps the picture readable.
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect());
    painter.scale(width() / WaveBoxWidth, height() / WaveBoxHeight);
    for (const WaveTrace& trace : traces_) {
        QPen pen(trace.shifted ? QColor(0, 255, 255) : palette().color(QPalette::Text));
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(QPolygonF(QList<QPointF>(trace.points.begin(), trace.points.end())));
    }
    painter.setClipping(false);
    painter.resetTransform();
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace sono
