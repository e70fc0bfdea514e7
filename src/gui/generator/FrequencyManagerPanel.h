#pragma once

#include "core/generator/FreqgenArgs.h"

#include <QWidget>
#include <expected>
#include <memory>

class QLineEdit;

namespace Ui {
class FrequencyManagerPanel;
}

namespace sono {

struct Services;
class GeneratorPlayer;
class WaveDisplayWidget;
struct ProgramFileData;

// The Frequency Manager: generator settings, the option string, the wave and phase pictures, Run,
// Save and Load.
class FrequencyManagerPanel : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyManagerPanel(Services& services);
    ~FrequencyManagerPanel() override;

    void selectStartupOptions();
    // Puts a read program into the settings, their controls and the program table.
    void applyProgram(const ProgramFileData& program);
    // Load: the program, then its name.
    void loadProgram(const ProgramFileData& program, const QString& name);
    // Run and Export are enabled only while the table has steps.
    void setRunEnabled(bool enabled);

    void fgDataBuild();
    void fgDrawWave();
    // The slider's value becomes the phase, goes into the phase box, and the phase picture is drawn.
    void phaseDisplay();

    // Run (Command16): the table from the grid, the run file, the key commands, the generator (a
    // program still playing is stopped without asking; the button asks first).
    void run();
    // What Run plays inside Sono.
    GeneratorPlayer& player() const { return *player_; }
    // After a save or load under `name`: the frame caption and the option string follow it.
    void setProgramName(const QString& name);

    WaveDisplayWidget* waveDisplay() const;

    void openCalibrationWindow(); // Tools, Calibrate Sound Card

    // Export: a file name, the same run file as Run, then the generator writes the sound file while a
    // progress window with Cancel waits for it.
    void exportProgram();

signals:
    // Load is about to open: the grid takes clicks again.
    void loadWindowOpening();

private:
    // A program still playing: asks whether to stop it. False leaves it playing and Run does nothing.
    bool mayStopPlaying();
    void openSaveWindow();
    void openLoadWindow();
    // Marks a box holding no valid value (an empty problem clears the mark).
    void markBox(QLineEdit* box, const QString& problem);
    // The table from the grid and the run file of the current program, as Run and Export give it to the
    // generator: its path, or what went wrong.
    std::expected<QString, QString> writeRunFile();

    Services& services_;
    std::unique_ptr<Ui::FrequencyManagerPanel> ui_;
    GeneratorPlayer* player_;

    // What the volume, phase and gating boxes held when they last held a valid value.
    QString lastVolume_[2] = {QStringLiteral("0.5"), QStringLiteral("0.5")};
    float lastPhase_ = 0;
    qint16 lastGating_ = 0;
    bool applying_ = false;
};

} // namespace sono
