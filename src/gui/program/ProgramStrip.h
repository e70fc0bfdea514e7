#pragma once

#include <QWidget>

namespace sono {

class ProgramDocument;

// The program as a picture: time to the right, log frequency upwards, one bar per step, 0 Hz steps as
// gaps. It redraws on every change of the document, straight from the table.
class ProgramStrip : public QWidget {
    Q_OBJECT
public:
    explicit ProgramStrip(const ProgramDocument& program, QWidget* parent = nullptr);

    // Seconds into the program that are playing now; negative while nothing plays.
    void setPlayingPosition(double seconds);
    double playingPosition() const { return playing_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void programChanged();
    QRectF plotRect() const;

    const ProgramDocument& program_;
    double playing_ = -1;
};

} // namespace sono
