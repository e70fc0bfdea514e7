#include "gui/shell/SplashWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/WindowRegistry.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace sono {

namespace {

// Picture1: a small drawn logo, a sine over a sweep of bars.
class LogoWidget : public QWidget {
public:
    explicit LogoWidget(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Picture1"));
        setAccessibleName(QStringLiteral("Sono logo"));
        setFixedSize(120, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(20, 40, 80));
        p.setPen(QPen(QColor(90, 200, 255), 3));
        QPainterPath path;
        for (int x = 0; x <= width(); ++x) {
            const double y = height() / 2.0 - 30 * std::sin(x / double(width()) * 4 * M_PI);
            x == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
        }
        p.drawPath(path);
        p.setPen(Qt::white);
        QFont f = font();
        f.setPointSize(16);
        f.setBold(true);
        p.setFont(f);
        p.drawText(rect().adjusted(0, 0, 0, -6), Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Sono"));
    }
};

} // namespace

SplashWindow::SplashWindow(AppState& state, Platform& platform, QWidget* parent)
    : QWidget(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(AppTitle);
    auto* layout = new QGridLayout(this);
    auto* heading = new QLabel(QStringLiteral("Start-Up Check"), this);
    heading->setObjectName(QStringLiteral("Label2"));
    QFont big = heading->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    heading->setFont(big);
    build_ = new QLabel(QStringLiteral("Build : 040905"), this);
    build_->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(new LogoWidget(this), 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(heading, 0, 1);
    layout->addWidget(build_, 1, 1);
    const char* captions[5] = {"Database File ?", "Initialization File ?", "Help Files ?", "Editor Path ?",
                               "Sono Path ?"};
    for (int i = 0; i < 5; ++i) {
        results_[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        results_[i]->setObjectName(QStringLiteral("Label3_%1").arg(i));
        results_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(results_[i], 3 + i, 0, 1, 2);
    }
    troubleshoot_ = new QCheckBox(QStringLiteral("Trouble Shooting Step Startup"), this);
    troubleshoot_->setObjectName(QStringLiteral("Check1"));
    layout->addWidget(troubleshoot_, 8, 0, 1, 2);
    button_ = new QPushButton(QStringLiteral("Proceed"), this);
    button_->setObjectName(QStringLiteral("Command1"));
    button_->setEnabled(false);
    button_->setDefault(true);
    layout->addWidget(button_, 9, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);

    connect(troubleshoot_, &QCheckBox::clicked, this, [this](bool ticked) {
        // Once on, the step messages stay on for the run.
        if (ticked) {
            platform_.beep();
            state_.TroubleshootStartup = 1;
        }
    });
    connect(button_, &QPushButton::clicked, this, &SplashWindow::buttonClicked);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setSingleShot(true);
    timer_->setInterval(600);
    connect(timer_, &QTimer::timeout, button_, [this] { button_->setEnabled(true); });

    runChecks();
    adjustSize();
    setMinimumWidth(std::max(width(), 460));
    placeCentred(this, platform_, 150);
    timer_->start();
}

void SplashWindow::runChecks() {
    state_.BuildVersion = BuildVersionText;
    state_.BuildTitle = QStringLiteral("Sono12 - build ") + state_.BuildVersion;
    build_->setText(state_.BuildTitle);
    startupFailed_ = false;

    const AppFolder& folder = state_.folder;
    // The folder is shown as it is: on this file system case matters.
    results_[4]->setText(QStringLiteral("Sono path = ") + folder.path());
    QDir::setCurrent(folder.path());

    if (folder.exists(QStringLiteral("freqs.mdb"))) {
        results_[0]->setText(QStringLiteral("Database OK"));
    } else {
        results_[0]->setText(QStringLiteral("Database ERROR"));
        startupFailed_ = true;
    }
    const bool haveSettings = folder.exists(QStringLiteral("sono.ini"));
    // In a folder Sono has just made, a missing settings file is expected: Proceed writes the defaults.
    results_[1]->setText(haveSettings     ? QStringLiteral("Initialization file OK")
                         : folder.isNew() ? QStringLiteral("Initialization file will be created")
                                          : QStringLiteral("Initialization file ERROR"));
    results_[2]->setText(folder.exists(QStringLiteral("database.rtf")) ? QStringLiteral("Help files OK")
                                                                       : QStringLiteral("Help file ERROR"));
    if (!startupFailed_ && haveSettings) {
        // Only line 1 matters here; the main window reports a bad line 2.
        if (const auto bytes = readWholeFile(folder.filePath(QStringLiteral("sono.ini")))) {
            state_.EditorPath = editorPathField(*bytes);
            results_[3]->setText(QFileInfo(state_.EditorPath).isFile()
                                     ? QStringLiteral("Editor OK")
                                     : QStringLiteral("Editor ERROR - Specify in Tools Menu!"));
        }
    }
    if (startupFailed_) button_->setText(QStringLiteral("Quit"));
}

void SplashWindow::buttonClicked() {
    if (startupFailed_)
        emit quit();
    else
        emit proceed();
}

} // namespace sono
