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
#include "ui_CalibrationWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace sono {

CalibrationWindow::CalibrationWindow(Services& services)
    : services_(services), ui_(std::make_unique<Ui::CalibrationWindow>()) {
    ui_->setupUi(this);
    // The table is a control array: two columns of thirteen points, each a name, a box and a difference.
    QGridLayout* grid = ui_->table;
    for (int column = 0; column < 2; ++column) {
        auto* heading = new QLabel(QStringLiteral("Difference"), ui_->Frame1);
        heading->setObjectName(QStringLiteral("Label4_%1").arg(column));
        heading->setAlignment(Qt::AlignRight);
        grid->addWidget(heading, 0, column * 4 + 2);
    }
    for (int i = 0; i < 26; ++i) {
        const int column = i < 13 ? 0 : 4;
        const int row = 1 + i % 13;
        auto* point = new QLabel(calibrationPointName(i), ui_->Frame1);
        point->setObjectName(QStringLiteral("Label1_%1").arg(i));
        boxes_[i] = new QLineEdit(ui_->Frame1);
        boxes_[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        boxes_[i]->setFixedWidth(80);
        point->setBuddy(boxes_[i]);
        differences_[i] = new QLabel(ui_->Frame1);
        differences_[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        differences_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        differences_[i]->setMinimumWidth(80);
        grid->addWidget(point, row, column);
        grid->addWidget(boxes_[i], row, column + 1);
        grid->addWidget(differences_[i], row, column + 2);
        connect(boxes_[i], &QLineEdit::textChanged, this, [this, i] { boxChanged(i); });
    }
    grid->setColumnMinimumWidth(3, 24);

    const Calibration& calibration = services_.state.calibration;
    for (int i = 0; i < 26; ++i)
        boxes_[i]->setText(shortestText(calibration.CalTable[static_cast<size_t>(i)], Precision::Single));
    (calibration.CalibrationOn != 0 ? ui_->Option1_0 : ui_->Option1_1)->setChecked(true);
    ui_->Command4->setEnabled(false);

    for (QRadioButton* option : {ui_->Option1_0, ui_->Option1_1})
        connect(option, &QRadioButton::clicked, ui_->Command4, [this] { ui_->Command4->setEnabled(true); });
    connect(ui_->Command4, &QPushButton::clicked, this, &CalibrationWindow::save);
    connect(ui_->Command2, &QPushButton::clicked, this, &CalibrationWindow::generateProgram);
    connect(ui_->Command3, &QPushButton::clicked, this, [this] { showHowToCalibrate(services_); });
    connect(ui_->Command1, &QPushButton::clicked, this, &QDialog::reject);
    resize(sizeHint());
    placeCentred(this, services_.platform, 200);
}

CalibrationWindow::~CalibrationWindow() = default;

void CalibrationWindow::boxChanged(int index) {
    ui_->Command4->setEnabled(true);
    differences_[index]->setText(calibrationDifferenceText(index, boxes_[index]->text()));
}

void CalibrationWindow::save() {
    QStringList typed;
    for (QLineEdit* box : boxes_)
        typed.append(box->text());
    const auto calibration = calibrationFromTexts(typed, ui_->Option1_0->isChecked());
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
    ui_->Command4->setEnabled(false);
}

void CalibrationWindow::generateProgram() {
    services_.state.program.calibrationProgram();
}

} // namespace sono
