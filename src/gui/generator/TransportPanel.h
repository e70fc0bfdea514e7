#pragma once

#include "core/generator/GeneratorPlayer.h"

#include <QWidget>
#include <memory>

namespace Ui {
class TransportPanel;
}

namespace sono {

struct Services;

// The "Playing" group: the buttons that steer the program freqgen plays, the step it plays and the
// time played and left, and the choice of playing in a terminal window instead.
class TransportPanel : public QWidget {
    Q_OBJECT
public:
    explicit TransportPanel(Services& services);
    ~TransportPanel() override;

    void showStatus(const sono::PlayStatus& status);
    // freqgen's remark on the step (a frequency folded below half the sample rate), as the step's tip.
    void showNote(const QString& text);
    // Nothing plays: the buttons are disabled and the labels say so.
    void showStopped();
    // The terminal choice as the settings hold it.
    void showSettings();

signals:
    void commandRequested(sono::GeneratorPlayer::Command command);
    void stopRequested();

private:
    void setPlayInTerminal(bool on);
    void setButtonsEnabled(bool enabled);

    Services& services_;
    std::unique_ptr<Ui::TransportPanel> ui_;
    bool paused_ = false;
};

} // namespace sono
