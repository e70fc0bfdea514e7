#pragma once

#include <QWidget>

class QTimer;

namespace sono {

// The small ornament the generator windows carry: a wave that slowly drifts across a dark disc.
// Nothing reads it; it only gives the windows a face.
class DecorationWidget : public QWidget {
    Q_OBJECT
public:
    explicit DecorationWidget(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {72, 72}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer* timer_;
    int phase_ = 0;
};

} // namespace sono
