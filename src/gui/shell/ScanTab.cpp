#include "gui/shell/ScanTab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace sono {

// Picture2: the chart of a scan, in twips-like units 8500 wide; for now only its base line.
class ScanChartWidget : public QWidget {
public:
    explicit ScanChartWidget(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture2"));
        setAccessibleName(QStringLiteral("Scan chart"));
        setMinimumSize(400, 120);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }
    void setBaseLine(bool on) {
        baseLine_ = on;
        update();
    }
    bool hasBaseLine() const { return baseLine_; }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!baseLine_) return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::Text));
        const double sx = width() / 8500.0;
        const double y = 780.0 * height() / 1200.0;
        painter.drawLine(QPointF(0, y), QPointF(8500 * sx, y));
    }

private:
    bool baseLine_ = false;
};

ScanTab::ScanTab(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    auto* notice = new QLabel(QStringLiteral("Under Construction - Not Functioning"), this);
    notice->setObjectName(QStringLiteral("ScanNotice"));
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);
    layout->addWidget(notice, 0, 0, 1, 4);

    auto* listLabel = new QLabel(QStringLiteral("Select Scan Program to Run"), this);
    scanList_ = new QComboBox(this);
    scanList_->setObjectName(QStringLiteral("Combo1"));
    listLabel->setBuddy(scanList_);
    scanList_->setAccessibleName(listLabel->text());
    layout->addWidget(listLabel, 1, 0);
    layout->addWidget(scanList_, 1, 1, 1, 3);

    chart_ = new ScanChartWidget(this);
    layout->addWidget(chart_, 2, 0, 1, 4);

    const char* params[][2] = {
        {"ScanStart", "Start Hz"}, {"ScanEnd", "End Hz"}, {"ScanStep", "Step Hz"}, {"ScanDwell", "Dwell s"}};
    int column = 0;
    for (const auto& param : params) {
        auto* label = new QLabel(QString::fromLatin1(param[1]), this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(param[0]));
        box->setEnabled(false);
        label->setBuddy(box);
        box->setAccessibleName(label->text());
        layout->addWidget(label, 3, column);
        layout->addWidget(box, 4, column++);
    }
    const char* buttons[] = {"Start", "Pause", "End", "Test"};
    column = 0;
    for (const char* caption : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setObjectName(QStringLiteral("Scan") + QString::fromLatin1(caption));
        button->setEnabled(false);
        button->setToolTip(QStringLiteral("Not functioning yet"));
        layout->addWidget(button, 5, column++);
    }
    layout->setRowStretch(2, 1);
}

void ScanTab::fillScanList() {
    scanList_->clear();
    scanList_->addItems({QStringLiteral("Create and Edit a scan"), QStringLiteral("Cancer scan"),
                         QStringLiteral("Herpes Special"), QStringLiteral("Survey scan A"),
                         QStringLiteral("Survey scan B"), QStringLiteral("Reference list scan"),
                         QStringLiteral("My Parasite scan"), QStringLiteral("My Wellness scan :-)"),
                         QStringLiteral("100Hz - 3kHz"), QStringLiteral("3kHz - 6kHz"),
                         QStringLiteral("6kHz - 10kHz"), QStringLiteral("10kHz - 15kHz"),
                         QStringLiteral("15kHz - 20kHz")});
}

void ScanTab::drawBaseLine() {
    chart_->setBaseLine(true);
}

} // namespace sono
