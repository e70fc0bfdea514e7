#include "gui/generator/TransportPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/SonoConf.h"
#include "core/app/UnreadFiles.h"
#include "core/common/NumberText.h"
#include "core/common/QuotedFields.h"
#include "gui/shell/Services.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "ui_TransportPanel.h"

namespace sono {

namespace {

QString hertz(double frequency) {
    return shortestText(frequency) + QStringLiteral(" Hz");
}

} // namespace

TransportPanel::TransportPanel(Services& services)
    : services_(services), ui_(std::make_unique<Ui::TransportPanel>()) {
    ui_->setupUi(this);
    using enum GeneratorPlayer::Command;
    connect(ui_->pauseButton, &QPushButton::clicked, this,
            [this] { emit commandRequested(paused_ ? Resume : Pause); });
    const std::pair<QPushButton*, GeneratorPlayer::Command> commands[] = {{ui_->backButton, Back},
                                                                          {ui_->nextButton, Next},
                                                                          {ui_->softerButton, Softer},
                                                                          {ui_->louderButton, Louder},
                                                                          {ui_->spreadButton, Spread}};
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this, [this, command] { emit commandRequested(command); });
    connect(ui_->stopButton, &QPushButton::clicked, this, &TransportPanel::stopRequested);
    connect(ui_->terminalBox, &QCheckBox::clicked, this, &TransportPanel::setPlayInTerminal);
    showStopped();
}

TransportPanel::~TransportPanel() = default;

void TransportPanel::showStatus(const PlayStatus& status) {
    paused_ = status.paused;
    setButtonsEnabled(true);
    ui_->pauseButton->setText(paused_ ? QStringLiteral("Resume") : QStringLiteral("Pause"));
    QString step =
        QStringLiteral("Step %1 of %2, %3").arg(status.step).arg(status.count).arg(hertz(status.freq));
    // Folded below half the sample rate: the user hears another tone than the one asked for.
    if (status.played != status.freq) step += QStringLiteral(" (plays %1)").arg(hertz(status.played));
    if (paused_) step += QStringLiteral(", paused");
    ui_->stepLabel->setText(step);
    // As the volume boxes show it.
    const QString volume = status.vl == status.vr ? QString::number(status.vl)
                                                  : QStringLiteral("%1 / %2").arg(status.vl).arg(status.vr);
    ui_->timeLabel->setText(QStringLiteral("Elapsed %1, remaining %2, volume %3")
                                .arg(playTimeText(status.elapsed), playTimeText(status.left), volume));
}

void TransportPanel::setButtonsEnabled(bool enabled) {
    for (QPushButton* button : {ui_->pauseButton, ui_->backButton, ui_->nextButton, ui_->softerButton,
                                ui_->louderButton, ui_->spreadButton, ui_->stopButton})
        button->setEnabled(enabled);
}

void TransportPanel::showNote(const QString& text) {
    ui_->stepLabel->setToolTip(text);
}

void TransportPanel::showStopped() {
    paused_ = false;
    setButtonsEnabled(false);
    ui_->pauseButton->setText(QStringLiteral("Pause"));
    ui_->stepLabel->setText(QStringLiteral("Not playing"));
    ui_->stepLabel->setToolTip(QString());
    ui_->timeLabel->clear();
}

void TransportPanel::showSettings() {
    ui_->terminalBox->setChecked(services_.state.PlayInTerminal);
}

void TransportPanel::setPlayInTerminal(bool on) {
    AppState& state = services_.state;
    const QString path = state.filePath(SonoConfName);
    if (!keepUnreadFile(state, services_.platform, path)) {
        showSettings();
        return;
    }
    QByteArray bytes;
    if (QFile::exists(path)) {
        auto read = readWholeFile(path);
        if (!read) {
            services_.platform.message(read.error() + QStringLiteral("\n\nThe choice was not saved."));
            showSettings();
            return;
        }
        bytes = *read;
    }
    if (auto written = writeWholeFile(path, withConfValue(bytes, PlayInTerminalKey, confSwitch(on)));
        !written) {
        services_.platform.message(written.error() + QStringLiteral("\n\nThe choice was not saved."));
        showSettings();
        return;
    }
    state.PlayInTerminal = on;
}

} // namespace sono
