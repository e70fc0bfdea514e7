#include "gui/shell/SplashWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/WindowRegistry.h"
#include "ui_SplashWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace sono {

namespace {

// Picture1: a small drawn logo, a sine over the name.
QPixmap logo(QSize size, const QFont& font) {
    QPixmap picture(size);
    picture.fill(QColor(20, 40, 80));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 200, 255), 3));
    QPainterPath path;
    for (int x = 0; x <= size.width(); ++x) {
        const double y = size.height() / 2.0 - 30 * std::sin(x / double(size.width()) * 4 * M_PI);
        x == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    p.drawPath(path);
    p.setPen(Qt::white);
    QFont f = font;
    f.setPointSize(16);
    f.setBold(true);
    p.setFont(f);
    p.drawText(picture.rect().adjusted(0, 0, 0, -6), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Sono"));
    return picture;
}

} // namespace

SplashWindow::SplashWindow(AppState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), ui_(std::make_unique<Ui::SplashWindow>()) {
    ui_->setupUi(this);
    ui_->Picture1->setPixmap(logo(ui_->Picture1->minimumSize(), font()));

    connect(ui_->Check1, &QCheckBox::clicked, this, [this](bool ticked) {
        // Once on, the step messages stay on for the run.
        if (ticked) {
            platform_.beep();
            state_.TroubleshootStartup = 1;
        }
    });
    connect(ui_->Command1, &QPushButton::clicked, this, &SplashWindow::buttonClicked);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setSingleShot(true);
    timer_->setInterval(600);
    connect(timer_, &QTimer::timeout, ui_->Command1, [this] { ui_->Command1->setEnabled(true); });

    runChecks();
    adjustSize();
    setMinimumWidth(std::max(width(), 460));
    placeCentred(this, platform_, 150);
    timer_->start();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::runChecks() {
    state_.BuildVersion = BuildVersionText;
    state_.BuildTitle = QStringLiteral("Sono12 - build ") + state_.BuildVersion;
    ui_->Label1->setText(state_.BuildTitle);
    startupFailed_ = false;

    const AppFolder& folder = state_.folder;
    // The folder is shown as it is: on this file system case matters.
    ui_->Label3_4->setText(QStringLiteral("Sono path = ") + folder.path());
    QDir::setCurrent(folder.path());

    if (folder.exists(QStringLiteral("freqs.mdb"))) {
        ui_->Label3_0->setText(QStringLiteral("Database OK"));
    } else {
        ui_->Label3_0->setText(QStringLiteral("Database ERROR"));
        startupFailed_ = true;
    }
    const bool haveSettings = folder.exists(QStringLiteral("sono.ini"));
    // In a folder Sono has just made, a missing settings file is expected: Proceed writes the defaults.
    ui_->Label3_1->setText(haveSettings     ? QStringLiteral("Initialization file OK")
                           : folder.isNew() ? QStringLiteral("Initialization file will be created")
                                            : QStringLiteral("Initialization file ERROR"));
    ui_->Label3_2->setText(folder.exists(QStringLiteral("database.rtf")) ? QStringLiteral("Help files OK")
                                                                         : QStringLiteral("Help file ERROR"));
    if (!startupFailed_ && haveSettings) {
        // Only line 1 matters here; the main window reports a bad line 2.
        if (const auto bytes = readWholeFile(folder.filePath(QStringLiteral("sono.ini")))) {
            state_.EditorPath = editorPathField(*bytes);
            ui_->Label3_3->setText(QFileInfo(state_.EditorPath).isFile()
                                       ? QStringLiteral("Editor OK")
                                       : QStringLiteral("Editor ERROR - Specify in Tools Menu!"));
        }
    }
    if (startupFailed_) ui_->Command1->setText(QStringLiteral("Quit"));
}

void SplashWindow::buttonClicked() {
    if (startupFailed_)
        reject();
    else
        emit proceed();
}

void SplashWindow::reject() {
    // Quit, Esc and closing the window all leave Sono here; nothing has been written yet.
    QDialog::reject();
    emit quit();
}

} // namespace sono
