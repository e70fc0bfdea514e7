#include "gui/display/CalibrationWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/UnreadFiles.h"
#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "core/display/Calibration.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/HelpWindows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sono {

namespace {
QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}
} // namespace

CalibrationWindow::CalibrationWindow(Services& services) : services_(services) {
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Sono - Calibrate Sound Card"));

    auto* frame = new QGroupBox(QStringLiteral("Calibration Table "), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    for (int column = 0; column < 2; ++column) {
        auto* heading = new QLabel(QStringLiteral("Difference"), frame);
        heading->setObjectName(QStringLiteral("Label4_%1").arg(column));
        heading->setAlignment(Qt::AlignRight);
        grid->addWidget(heading, 0, column * 4 + 2);
    }
    for (int i = 0; i < 26; ++i) {
        const int column = i < 13 ? 0 : 4;
        const int row = 1 + i % 13;
        auto* point = new QLabel(calibrationPointName(i), frame);
        point->setObjectName(QStringLiteral("Label1_%1").arg(i));
        boxes_[i] = new QLineEdit(frame);
        boxes_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        boxes_[i]->setFixedWidth(80);
        point->setBuddy(boxes_[i]);
        differences_[i] = new QLabel(frame);
        differences_[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        differences_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        differences_[i]->setMinimumWidth(80);
        grid->addWidget(point, row, column);
        grid->addWidget(boxes_[i], row, column + 1);
        grid->addWidget(differences_[i], row, column + 2);
        connect(boxes_[i], &QLineEdit::textChanged, this, [this, i] { boxChanged(i); });
    }
    grid->setColumnMinimumWidth(3, 24);

    activate_ = new QRadioButton(QStringLiteral("Activate"), this);
    activate_->setObjectName(QStringLiteral("Option1_0"));
    deactivate_ = new QRadioButton(QStringLiteral("Deactivate"), this);
    deactivate_->setObjectName(QStringLiteral("Option1_1"));
    auto* generate = button(this, "Command2", QStringLiteral("Generate Program"));
    save_ = button(this, "Command4", QStringLiteral("Save"));
    auto* howTo = button(this, "Command3", QStringLiteral("How To"));
    auto* close = button(this, "Command1", QStringLiteral("Close"));
    auto* explanation =
        new QLabel(QStringLiteral("Calibration of your Sound Card assures accurate frequencies are "
                                  "generated, thus optimizing the performance of your Vero session."),
                   this);
    explanation->setObjectName(QStringLiteral("Label2"));
    explanation->setWordWrap(true);

    auto* side = new QVBoxLayout;
    side->addWidget(explanation);
    side->addSpacing(12);
    side->addWidget(activate_);
    side->addWidget(deactivate_);
    side->addSpacing(12);
    for (QPushButton* b : {generate, save_, howTo, close})
        side->addWidget(b);
    side->addStretch(1);
    auto* sideBox = new QWidget(this);
    sideBox->setLayout(side);
    sideBox->setFixedWidth(190);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(sideBox);

    const Calibration& calibration = services_.state.calibration;
    for (int i = 0; i < 26; ++i)
        boxes_[i]->setText(shortestText(calibration.CalTable[static_cast<size_t>(i)], Precision::Single));
    (calibration.CalibrationOn != 0 ? activate_ : deactivate_)->setChecked(true);
    save_->setEnabled(false);

    for (QRadioButton* option : {activate_, deactivate_})
        connect(option, &QRadioButton::clicked, this, [this] { save_->setEnabled(true); });
    connect(save_, &QPushButton::clicked, this, &CalibrationWindow::save);
    connect(generate, &QPushButton::clicked, this, &CalibrationWindow::generateProgram);
    connect(howTo, &QPushButton::clicked, this, [this] { showHowToCalibrate(services_); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(sizeHint());
    placeCentred(this, services_.platform, 200);
}

void CalibrationWindow::boxChanged(int index) {
    save_->setEnabled(true);
    differences_[index]->setText(calibrationDifferenceText(index, boxes_[index]->text()));
}

void CalibrationWindow::save() {
    QStringList typed;
    for (QLineEdit* box : boxes_)
        typed.append(box->text());
    const auto calibration = calibrationFromTexts(typed, activate_->isChecked());
    if (!calibration) {
        services_.platform.message(calibration.error());
        return;
    }
    AppState& state = services_.state;
    const QString path = state.filePath(QStringLiteral("sono.cal"));
    if (!keepUnreadFile(state, services_.platform, path)) return;
    if (auto written = writeWholeFile(path, calibrationFileBytes(*calibration)); !written) {
        services_.platform.message(written.error() +
                                   QStringLiteral("\n\nThe calibration in use is unchanged."));
        return;
    }
    state.calibration = *calibration;
    save_->setEnabled(false);
}

void CalibrationWindow::generateProgram() {
    services_.state.program.calibrationProgram();
}

} // namespace sono
