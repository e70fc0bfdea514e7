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

    // After any table-wide change: the change box emptied and disabled, the spinner inactive, Delete
    // disabled; the "Change" label reset too when asked.
    void resetChangeBox(bool resetLabel);
    // Selects sort option Option1(index) as a click would (0 Low to High, 1 High to Low, 2 No Sort).
    void selectSortOption(int index);
    // "Take the table from the grid": StepCount, StepNo, StepFreq and StepTime from the grid cells.
    void takeTableFromGrid();

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
