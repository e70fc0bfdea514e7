#pragma once

#include <QWidget>

class QLineEdit;

namespace sono {

class MainWindow;
struct ProgramFileData;

// The Frequency Manager: generator settings, the option string, Run, Save and Load.
class FrequencyManagerPanel : public QWidget {
    Q_OBJECT
public:
    explicit FrequencyManagerPanel(MainWindow& main);

    void selectStartupOptions();
    // Puts a read program into the settings, their controls and the table arrays (the caller shows the
    // table). At start-up a file without steps leaves the step count as it is.
    void applyProgram(const ProgramFileData& program, bool startup);

    void fgDataBuild();
    void fgDrawWave();

private:
    MainWindow& main_;
    QLineEdit* args_;
};

} // namespace sono
