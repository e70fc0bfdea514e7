#include "gui/program/ProgramStrip.h"

#include "core/display/ProgramStripGeometry.h"
#include "core/program/ProgramDocument.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace sono {

namespace {

QString hzText(double hz) {
    if (hz >= 1000) return QString::number(hz / 1000, 'g', 4) + QStringLiteral(" kHz");
    return QString::number(hz, 'g', 4) + QStringLiteral(" Hz");
}

QString secondsText(double seconds) {
    const auto whole = static_cast<qint64>(seconds);
    const auto two = [](qint64 big, const char* bigUnit, qint64 small, const char* smallUnit) {
        QString text = QString::number(big) + u' ' + QLatin1StringView(bigUnit);
        if (small != 0) text += u' ' + QString::number(small) + u' ' + QLatin1StringView(smallUnit);
        return text;
    };
    if (whole < 60) return QStringLiteral("%1 s").arg(whole);
    if (whole < 3600) return two(whole / 60, "min", whole % 60, "s");
    return two(whole / 3600, "h", whole / 60 % 60, "min");
}

} // namespace

ProgramStrip::ProgramStrip(const ProgramDocument& program, QWidget* parent)
    : QWidget(parent), program_(program) {
    setObjectName(QStringLiteral("ProgramStrip"));
    setAccessibleName(QStringLiteral("Program picture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Its full height when there is room; on a small screen it gives way before the window outgrows it.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(&program_, &ProgramDocument::changed, this, &ProgramStrip::programChanged);
    programChanged();
}

QSize ProgramStrip::sizeHint() const {
    return {400, fontMetrics().height() * 8};
}

QSize ProgramStrip::minimumSizeHint() const {
    return {100, fontMetrics().height() * 4};
}

QRectF ProgramStrip::plotRect() const {
    const QFontMetrics metrics = fontMetrics();
    const int labelWidth = metrics.horizontalAdvance(QStringLiteral("20.5 kHz")) + 8;
    // Room for half a label above and below the plot.
    const int margin = metrics.height() / 2 + 2;
    return QRectF(rect()).adjusted(labelWidth, margin, -8, -margin);
}

void ProgramStrip::setPlayingPosition(double seconds) {
    if (seconds == playing_) return;
    playing_ = seconds;
    update();
}

void ProgramStrip::programChanged() {
    const ProgramTable& table = program_.table();
    const StripGeometry g = stripGeometry(table, plotRect(), 1);
    setAccessibleDescription(
        table.StepCount == 0
            ? QStringLiteral("No steps")
            : QStringLiteral("%1 steps, %2").arg(table.StepCount).arg(secondsText(g.totalSeconds)));
    update();
}

void ProgramStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QFontMetrics metrics = fontMetrics();
    const QRectF plot = plotRect();
    const StripGeometry g = stripGeometry(program_.table(), plot, metrics.height());
    painter.fillRect(rect(), colours.color(QPalette::Window));
    painter.fillRect(plot, colours.color(QPalette::Base));

    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(plot.adjusted(-0.5, -0.5, 0.5, 0.5));
    if (g.bars.empty()) {
        painter.setPen(colours.color(QPalette::PlaceholderText));
        painter.drawText(plot, Qt::AlignCenter,
                         g.totalSeconds > 0 ? QStringLiteral("Only silent steps")
                                            : QStringLiteral("No steps"));
        return;
    }

    QPen gridPen(colours.color(QPalette::Mid), 1, Qt::DotLine);
    for (const StripLabel& label : g.labels) {
        painter.setPen(gridPen);
        painter.drawLine(QPointF(plot.left(), label.y), QPointF(plot.right(), label.y));
        painter.setPen(colours.color(QPalette::WindowText));
        const QRectF box(0, label.y - metrics.height() / 2.0, plot.left() - 6, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, hzText(label.hz));
    }

    // Thin risers join touching bars so a sweep reads as one line; every bar is at least a pixel wide.
    const QColor bar = colours.color(QPalette::Highlight);
    QColor riser = bar;
    riser.setAlphaF(0.45);
    painter.setPen(QPen(riser, 1));
    for (size_t i = 1; i < g.bars.size(); ++i) {
        const StripBar& a = g.bars[i - 1];
        const StripBar& b = g.bars[i];
        if (b.step == a.step + 1) painter.drawLine(QPointF(b.x0, a.y), QPointF(b.x0, b.y));
    }
    const double thickness = 3;
    for (const StripBar& b : g.bars)
        painter.fillRect(QRectF(b.x0, b.y - thickness / 2, std::max(b.x1 - b.x0, 1.0), thickness), bar);

    if (playing_ >= 0) {
        const double x = g.xOf(playing_);
        painter.setPen(QPen(colours.color(QPalette::Text), 2));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

bool ProgramStrip::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const ProgramTable& table = program_.table();
    const int step = stripGeometry(table, plotRect(), 1).stepAt(help->pos().x());
    if (step == 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(help->globalPos(),
                       QStringLiteral("Step %1: %2 for %3")
                           .arg(step)
                           .arg(hzText(table.StepFreq[step]), secondsText(table.StepTime[step])),
                       this);
    return true;
}

} // namespace sono
