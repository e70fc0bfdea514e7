#pragma once

#include "core/program/ProgramDocument.h"

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

struct Services;

// The program grid Fgrid with its duration label and editing controls, sorting, and Apply (cap and
// duplicates). It alone redraws the program table, on the document's `changed`.
class ProgramGridPanel : public QWidget {
    Q_OBJECT
public:
    explicit ProgramGridPanel(Services& services);

    void setupGrid();
    // "No Sort" and "x1" selected, as at start-up.
    void selectStartupOptions();
    // An inactive grid takes no clicks; making it inactive also switches the change box and spinner off.
    void setGridActive(bool active);

    // Selects sort option Option1(index) as a click does (0 Low to High, 1 High to Low, 2 No Sort).
    void selectSortOption(int index);

    // The buttons' operations, callable directly.
    void bufferToTable();           // Command8 "Buffer"
    void clearTable();              // Command11 "Clear"
    void openInsertWindow();        // Command12_0 "Insert"
    void deleteSelectedStep();      // Command12_1 "Delete"
    void shiftTimes(int direction); // Command13_0 "+" (1) and Command13_1 "-" (-1)
    void applyCapAndDuplicates();   // Command9 "Apply"
    void updateRunAndApply();       // Timer2's tick

    // The row of the step freqgen plays gets a background of its own; 0 clears it.
    void setPlayingStep(int step);

    QTableWidget* grid() const { return grid_; }
signals:
    // Whether the table has steps, after every change and on every tick: Run follows it.
    void stepsPresent(bool hasSteps);

private:
    // The one redraw: the rows, the duration, Run and Apply, and what the change says to reset.
    void programChanged(ProgramDocument::Change change);
    // After any table-wide change: the change box emptied and disabled, the spinner inactive, Delete
    // disabled; the "Change" label reset too when asked.
    void resetChangeBox(bool resetLabel);
    // Rows are added or removed only here: a removed current row switches the change box off.
    void setRowCount(int rows);
    void setCell(int row, int column, const QString& text);
    void writeRows(const std::vector<GridRowText>& rows);
    void paintPlayingRow(bool on);
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

    Services& services_;
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
    bool writing_ = false;      // the document's cells are being shown, not edited
    int playingRow_ = -1;
};

} // namespace sono
