#pragma once

#include "core/program/ProgramEditing.h"

#include <QWidget>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

namespace sono {

class MainWindow;

// The program grid Fgrid with its duration label and editing controls, the buffer buttons of the
// Database tab, sorting, and Apply (cap and duplicates).
class ProgramGridPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProgramGridPanel(MainWindow& main);

    void setupGrid();
    // "No Sort" and "x1" selected, as at start-up.
    void selectStartupOptions();
    // An inactive grid takes no clicks; making it inactive also switches the change box and spinner off.
    void setGridActive(bool active);

    // After any table-wide change: the change box emptied and disabled, the spinner inactive, Delete
    // disabled; the "Change" label reset too when asked.
    void resetChangeBox(bool resetLabel);
    // Selects sort option Option1(index) as a click would (0 Low to High, 1 High to Low, 2 No Sort):
    // SortMode is set, the grid rows are sorted and the table is taken back from the grid. Call it before
    // writing new steps into the arrays (as a program load does): it reads the grid back into them.
    void selectSortOption(int index);
    // "Take the table from the grid": StepCount, StepNo, StepFreq and StepTime from the grid cells.
    void takeTableFromGrid();

    void ClearArray();
    void fgArrayToTable();
    void DisplayGrid();
    void fgProgramTime();

    // The buttons' operations, callable directly.
    void bufferToTable();           // Command8 "Buffer"
    void clearTable();              // Command11 "Clear"
    void openInsertWindow();        // Command12_0 "Insert"
    void deleteSelectedStep();      // Command12_1 "Delete"
    void shiftTimes(int direction); // Command13_0 "+" (1) and Command13_1 "-" (-1)
    void applyCapAndDuplicates();   // Command9 "Apply"
    void sendToBuffer();            // Database tab Command3 "Send to Buffer"
    void viewBuffer();              // Database tab Command4 "View Buffer"
    void updateRunAndApply();       // Timer2's tick

    QTableWidget* grid() const { return grid_; }
    // Grid texts of every row ("No", "Frequency", "Time").
    std::vector<GridRowText> gridRows() const;

    // Rows are added or removed only here: a removed current row switches the change box off.
    void setRowCount(int rows);

private:
    void setCell(int row, int column, const QString& text);
    void writeRows(const std::vector<GridRowText>& rows);
    void currentCellMoved(int row, int column);
    void selectCell(int row, int column);
    // The change box edits the grid's current cell while a cell is selected: its row (-1 when none is
    // selected) and its column (1 frequency, 2 time).
    int editRow() const;
    int editColumn() const;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeBoxEdited(const QString& text);
    void spin(int direction);
    void storeEdit(const QString& cellText, QStringView valueText);
    int increment() const;
    void connectDatabaseButtons();

    MainWindow& main_;
    QTableWidget* grid_;
    QLabel* duration_;
    QLabel* changeLabel_;
    QLineEdit* changeBox_;
    QWidget* upDown_;
    QRadioButton* stepSize_[2];
    QPushButton* deleteButton_;
    QRadioButton* sortOptions_[3];
    QButtonGroup* sortGroup_;
    QLineEdit* capBox_;
    QCheckBox* duplicatesBox_;
    QPushButton* applyButton_;
    QTimer* timer_;
    bool cellSelected_ = false; // a cell was selected since the last table-wide change
    bool reshaping_ = false;    // rows are being added or removed by code, not moved by the user
};

} // namespace sono
