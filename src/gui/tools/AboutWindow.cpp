#include "gui/tools/AboutWindow.h"

#include "core/tools/AboutText.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_AboutWindow.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace sono {

namespace {

constexpr int PictureSize = 96;

// Two sine waves an octave apart: the program's subject in one picture.
QPixmap waveDrawing() {
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(QColor(20, 30, 60));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto wave = [&](double cycles, double amplitude, const QColor& colour) {
        QPainterPath path;
        for (int x = 4; x <= PictureSize - 4; ++x) {
            const double t = (x - 4) / double(PictureSize - 8);
            const double y = PictureSize / 2.0 - amplitude * std::sin(2 * M_PI * cycles * t);
            if (x == 4)
                path.moveTo(x, y);
            else
                path.lineTo(x, y);
        }
        painter.setPen(QPen(colour, 2));
        painter.drawPath(path);
    };
    wave(1, 34, QColor(0, 220, 220));
    wave(2, 20, QColor(255, 200, 60));
    return pixmap;
}

// A speaker cone sending out rings.
QPixmap speakerDrawing() {
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(QColor(20, 30, 60));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 200, 210));
    painter.drawRect(12, 38, 12, 20);
    painter.drawPolygon(QPolygon({QPoint(24, 38), QPoint(42, 22), QPoint(42, 74), QPoint(24, 58)}));
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 3; ++ring) {
        painter.setPen(QPen(QColor(0, 220, 220, 255 - ring * 60), 3));
        const int r = 14 + ring * 12;
        painter.drawArc(QRect(42 - r, 48 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    return pixmap;
}

} // namespace

AboutWindow::AboutWindow(Services& services) : ui_(std::make_unique<Ui::AboutWindow>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(waveDrawing());
    ui_->Picture2->setPixmap(speakerDrawing());
    QFont serif = ui_->Text1->font();
    serif.setStyleHint(QFont::Serif);
    ui_->Text1->setFont(serif);
    ui_->Text1->setPlainText(aboutText());
    connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::reject);
    placeCentred(this, services.platform, 200);
}

AboutWindow::~AboutWindow() = default;

} // namespace sono
