#pragma once

#include <QWidget>

class QLabel;
class QTableWidget;

namespace sono {

class MainWindow;

// The program grid Fgrid with its duration label and editing controls.
class ProgramGridPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProgramGridPanel(MainWindow& main);

    void setupGrid();
    void selectStartupOptions();
    void setGridActive(bool active);

    void ClearArray();
    void fgArrayToTable();
    void DisplayGrid();
    void fgProgramTime();

    QTableWidget* grid() const { return grid_; }

private:
    MainWindow& main_;
    QTableWidget* grid_;
    QLabel* duration_;
};

} // namespace sono
