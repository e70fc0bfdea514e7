#include "gui/program/ProgramGridPanel.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/NumberText.h"
#include "core/program/CapAndDuplicates.h"
#include "gui/program/ApplyReportWindow.h"
#include "gui/program/InsertFrequencyWindow.h"
#include "gui/shell/Controls.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace sono {

namespace {

constexpr Qt::Alignment ColumnAlignment[3] = {Qt::AlignRight | Qt::AlignVCenter, Qt::AlignCenter,
                                              Qt::AlignCenter};

// Keyboard moves never stop on the "No" column: it is a label, and the change box edits values only.
class ProgramGrid final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
        if (!next.isValid() || next.column() != 0) return next;
        if (action == MoveLeft) return currentIndex();
        // Shift+Tab goes on to the time of the step above, and leaves the grid from the first step.
        if (action == MovePrevious)
            return next.row() > 0 && currentIndex().isValid() ? model()->index(next.row() - 1, 2)
                                                              : currentIndex();
        return model()->index(next.row(), 1);
    }
};

} // namespace

ProgramGridPanel::ProgramGridPanel(Services& services) : services_(services) {
    grid_ = new ProgramGrid(0, 3, this);
    grid_->setObjectName(QStringLiteral("Fgrid"));
    grid_->setAccessibleName(QStringLiteral("Program table"));
    const QStringList headings = {QStringLiteral("No"), QStringLiteral("Frequency"), QStringLiteral("Time")};
    for (int c = 0; c < 3; ++c) {
        auto* heading = new QTableWidgetItem(headings[c]);
        heading->setTextAlignment(ColumnAlignment[c]);
        grid_->setHorizontalHeaderItem(c, heading);
    }
    grid_->verticalHeader()->setVisible(false);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->horizontalHeader()->setHighlightSections(false);
    // Wide enough for step 2000, 25000.5 Hz and a time of -32768 with a little air.
    const int digit = fontMetrics().horizontalAdvance(QStringLiteral("0"));
    grid_->setColumnWidth(0, std::max(digit * 5 + 12, fontMetrics().horizontalAdvance(headings[0]) + 16));
    grid_->setColumnWidth(1, std::max(digit * 9 + 12, fontMetrics().horizontalAdvance(headings[1]) + 16));
    grid_->setColumnWidth(2, std::max(digit * 7 + 12, fontMetrics().horizontalAdvance(headings[2]) + 16));
    grid_->setMinimumWidth(grid_->columnWidth(0) + grid_->columnWidth(1) + grid_->columnWidth(2) +
                           grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * grid_->frameWidth() +
                           2);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setWordWrap(false);

    duration_ = new QLabel(QStringLiteral("Duration:"), this);
    duration_->setObjectName(QStringLiteral("Label6"));

    changeLabel_ = new QLabel(QStringLiteral("Change"), this);
    changeLabel_->setObjectName(QStringLiteral("Label7"));
    changeBox_ = new QLineEdit(this);
    changeBox_->setObjectName(QStringLiteral("Text5"));
    changeBox_->setAccessibleName(QStringLiteral("Change box"));
    changeBox_->setEnabled(false);
    changeLabel_->setBuddy(changeBox_);

    upDown_ = new QWidget(this);
    upDown_->setObjectName(QStringLiteral("UpDown1"));
    upDown_->setAccessibleName(QStringLiteral("Step the change box"));
    auto* upDownLayout = new QVBoxLayout(upDown_);
    upDownLayout->setContentsMargins(0, 0, 0, 0);
    upDownLayout->setSpacing(0);
    const struct {
        const char* name;
        Qt::ArrowType arrow;
        const char* accessible;
        int direction;
    } arrows[2] = {{"UpDown1_up", Qt::UpArrow, "Step up", 1},
                   {"UpDown1_down", Qt::DownArrow, "Step down", -1}};
    for (const auto& a : arrows) {
        auto* button = new QToolButton(upDown_);
        button->setObjectName(QString::fromLatin1(a.name));
        button->setArrowType(a.arrow);
        button->setAccessibleName(QString::fromLatin1(a.accessible));
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
        upDownLayout->addWidget(button);
        const int direction = a.direction;
        connect(button, &QToolButton::clicked, this, [this, direction] { spin(direction); });
    }
    upDown_->setEnabled(false);

    auto* stepSizes = new QWidget(this);
    auto* stepLayout = new QHBoxLayout(stepSizes);
    stepLayout->setContentsMargins(0, 0, 0, 0);
    for (int k = 0; k < 2; ++k) {
        stepSize_[k] = new QRadioButton(k == 0 ? QStringLiteral("x1") : QStringLiteral("x10"), stepSizes);
        stepSize_[k]->setObjectName(QStringLiteral("Option2_%1").arg(k));
        stepSize_[k]->setToolTip(QStringLiteral(" Advance change by %1 ").arg(k == 0 ? 1 : 10));
        stepLayout->addWidget(stepSize_[k]);
    }
    stepSize_[0]->setChecked(true);

    auto* bufferButton = enh::button(this, "Command8", QStringLiteral("Buffer"));
    bufferButton->setToolTip(QStringLiteral(" Send Buffer contents to Program Table "));
    auto* clearButton = enh::button(this, "Command11", QStringLiteral("Clear"));
    auto* insertButton = enh::button(this, "Command12_0", QStringLiteral("Insert"));
    insertButton->setToolTip(QStringLiteral(" Insert a frequency in the Program Table "));
    deleteButton_ = enh::button(this, "Command12_1", QStringLiteral("Delete"));
    deleteButton_->setEnabled(false);
    auto* plus = enh::button(this, "Command13_0", QStringLiteral("+"));
    plus->setToolTip(QStringLiteral(" Advance all program times by selected x1 or x10 seconds "));
    plus->setAccessibleName(QStringLiteral("Advance all times"));
    auto* minus = enh::button(this, "Command13_1", QStringLiteral("-"));
    minus->setToolTip(QStringLiteral(" Decrease all program times by selected x1 or x10 seconds "));
    minus->setAccessibleName(QStringLiteral("Decrease all times"));
    for (QPushButton* b : {plus, minus})
        b->setMinimumWidth(10);

    auto* sortFrame = new QGroupBox(QStringLiteral(" Frequency Sorting "), this);
    sortFrame->setObjectName(QStringLiteral("SortFrame"));
    sortGroup_ = new QButtonGroup(this);
    auto* sortLayout = new QVBoxLayout(sortFrame);
    sortLayout->setContentsMargins(6, 2, 6, 4);
    sortLayout->setSpacing(2);
    const QString sortCaptions[3] = {QStringLiteral("Low to High"), QStringLiteral("High to Low"),
                                     QStringLiteral("No Sort")};
    for (int k = 0; k < 3; ++k) {
        sortOptions_[k] = new QRadioButton(sortCaptions[k], sortFrame);
        sortOptions_[k]->setObjectName(QStringLiteral("Option1_%1").arg(k));
        sortGroup_->addButton(sortOptions_[k], k);
        sortLayout->addWidget(sortOptions_[k]);
    }
    sortOptions_[2]->setChecked(true);

    auto* miscFrame = new QGroupBox(QStringLiteral(" Miscellaneous "), this);
    miscFrame->setObjectName(QStringLiteral("MiscFrame"));
    auto* capLabel = new QLabel(QStringLiteral("Cap Value in kHz"), miscFrame);
    capBox_ = new QLineEdit(miscFrame);
    capBox_->setObjectName(QStringLiteral("Text6"));
    capBox_->setMaximumWidth(digit * 8 + 12);
    capLabel->setBuddy(capBox_);
    duplicatesBox_ = new QCheckBox(QStringLiteral("Remove Duplicate Frequencies"), miscFrame);
    duplicatesBox_->setObjectName(QStringLiteral("Check2"));
    applyButton_ = enh::button(miscFrame, "Command9", QStringLiteral("Apply"));
    applyButton_->setEnabled(false); // Timer2 enables it once the table has steps
    auto* miscLayout = new QGridLayout(miscFrame);
    miscLayout->setContentsMargins(6, 2, 6, 4);
    miscLayout->setVerticalSpacing(2);
    miscLayout->addWidget(capLabel, 0, 0);
    miscLayout->addWidget(capBox_, 0, 1);
    miscLayout->addWidget(applyButton_, 0, 2);
    miscLayout->addWidget(duplicatesBox_, 1, 0, 1, 3);

    // Right of the grid: the change box, then the buttons and sorting.
    auto* side = new QVBoxLayout;
    side->setSpacing(3);
    side->addWidget(changeLabel_);
    auto* changeRow = new QHBoxLayout;
    changeRow->setSpacing(1);
    changeRow->addWidget(changeBox_, 1);
    changeRow->addWidget(upDown_);
    side->addLayout(changeRow);
    side->addWidget(stepSizes);
    side->addSpacing(4);
    side->addWidget(bufferButton);
    side->addWidget(clearButton);
    side->addWidget(insertButton);
    side->addWidget(deleteButton_);
    auto* plusMinus = new QHBoxLayout;
    plusMinus->setSpacing(3);
    plusMinus->addWidget(plus);
    plusMinus->addWidget(minus);
    side->addLayout(plusMinus);
    side->addWidget(sortFrame);
    side->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(6);
    top->addWidget(grid_, 1);
    top->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top, 1);
    layout->addWidget(duration_);
    layout->addWidget(miscFrame);

    // The change box edits the grid's current cell, however it became current; a click or Enter on the
    // current cell selects it again after a table-wide change has switched the box off.
    connect(grid_, &QTableWidget::currentCellChanged, this, &ProgramGridPanel::currentCellMoved);
    connect(grid_, &QTableWidget::cellClicked, this, &ProgramGridPanel::selectCell);
    connect(grid_, &QTableWidget::cellActivated, this, &ProgramGridPanel::selectCell);
    changeBox_->installEventFilter(this);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this] { services_.platform.beep(); });
    connect(changeBox_, &QLineEdit::textEdited, this, &ProgramGridPanel::changeBoxEdited);
    connect(bufferButton, &QPushButton::clicked, this, &ProgramGridPanel::bufferToTable);
    connect(clearButton, &QPushButton::clicked, this, &ProgramGridPanel::clearTable);
    connect(insertButton, &QPushButton::clicked, this, &ProgramGridPanel::openInsertWindow);
    connect(deleteButton_, &QPushButton::clicked, this, &ProgramGridPanel::deleteSelectedStep);
    connect(plus, &QPushButton::clicked, this, [this] { shiftTimes(1); });
    connect(minus, &QPushButton::clicked, this, [this] { shiftTimes(-1); });
    connect(sortGroup_, &QButtonGroup::idClicked, this, &ProgramGridPanel::selectSortOption);
    connect(applyButton_, &QPushButton::clicked, this, &ProgramGridPanel::applyCapAndDuplicates);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer2"));
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &ProgramGridPanel::updateRunAndApply);
    timer_->start();

    connect(&services_.state.program, &ProgramDocument::changed, this, &ProgramGridPanel::programChanged);
    // A cell written other than through the change box is still the table's: Run reads the grid.
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!writing_) services_.state.program.editCell(item->row(), item->column(), item->text());
    });
}

void ProgramGridPanel::setupGrid() {
    const QScopedValueRollback reshaping(reshaping_, true);
    grid_->setRowCount(0);
    grid_->setCurrentCell(-1, 0);
}

void ProgramGridPanel::selectStartupOptions() {
    sortOptions_[2]->setChecked(true);
    stepSize_[0]->setChecked(true);
}

void ProgramGridPanel::setGridActive(bool active) {
    grid_->setEnabled(active);
    if (!active) {
        upDown_->setEnabled(false);
        changeBox_->setEnabled(false);
    }
}

void ProgramGridPanel::resetChangeBox(bool resetLabel) {
    changeBox_->clear();
    changeBox_->setEnabled(false);
    upDown_->setEnabled(false);
    deleteButton_->setEnabled(false);
    cellSelected_ = false;
    if (resetLabel) changeLabel_->setText(QStringLiteral("Change"));
}

void ProgramGridPanel::selectSortOption(int index) {
    services_.state.program.sort(index);
}

void ProgramGridPanel::setRowCount(int rows) {
    const QScopedValueRollback reshaping(reshaping_, true);
    grid_->setRowCount(std::clamp(rows, 0, ProgramTable::MaxSteps));
}

void ProgramGridPanel::setCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid_->item(row, column)) {
        item->setText(text);
        return;
    }
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(ColumnAlignment[column]);
    grid_->setItem(row, column, item);
}

void ProgramGridPanel::writeRows(const std::vector<GridRowText>& rows) {
    const QScopedValueRollback writing(writing_, true);
    grid_->setUpdatesEnabled(false);
    setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        for (int c = 0; c < 3; ++c)
            setCell(r, c, rows[static_cast<size_t>(r)][static_cast<size_t>(c)]);
    }
    paintPlayingRow(true); // new rows come without it
    grid_->setUpdatesEnabled(true);
}

void ProgramGridPanel::paintPlayingRow(bool on) {
    if (playingRow_ < 0 || playingRow_ >= grid_->rowCount()) return;
    const QScopedValueRollback writing(writing_, true);
    // A tint of the theme's highlight over its field colour: apart from the selection, and readable
    // with the theme's text colour on a light desktop and a dark one alike.
    const QPalette palette = grid_->palette();
    const QColor base = palette.color(QPalette::Base);
    const QColor mark = palette.color(QPalette::Highlight);
    const QColor tint((base.red() * 3 + mark.red() * 2) / 5, (base.green() * 3 + mark.green() * 2) / 5,
                      (base.blue() * 3 + mark.blue() * 2) / 5);
    for (int c = 0; c < 3; ++c) {
        if (QTableWidgetItem* item = grid_->item(playingRow_, c))
            item->setBackground(on ? QBrush(tint) : QBrush());
    }
}

void ProgramGridPanel::setPlayingStep(int step) {
    if (step - 1 == playingRow_) return;
    paintPlayingRow(false);
    playingRow_ = step > 0 ? step - 1 : -1;
    paintPlayingRow(true);
    if (QTableWidgetItem* item = playingRow_ >= 0 ? grid_->item(playingRow_, 1) : nullptr)
        grid_->scrollToItem(item);
}

void ProgramGridPanel::programChanged(ProgramDocument::Change change) {
    using enum ProgramDocument::Change;
    const ProgramDocument& program = services_.state.program;
    if (change != TakenFromGrid && change != CellEdited) writeRows(program.cells());
    duration_->setText(QStringLiteral("Duration: ") +
                       formatPattern(program.table().TotalTime / 60.0, u"###.0") +
                       QStringLiteral(" minutes"));
    // Run and Apply follow every change rather than waiting for the next tick.
    updateRunAndApply();
    const int sortMode = services_.state.generator.SortMode;
    if ((change == Cleared || change == FromBuffer || change == Loaded || change == Sorted) &&
        sortMode >= 0 && sortMode <= 2)
        sortOptions_[sortMode]->setChecked(true);
    if (change == Cleared || change == FromBuffer || change == Loaded || change == Generated)
        setGridActive(change != Cleared);
    switch (change) {
    case Cleared:
    case FromBuffer:
    case Sorted:
    case Loaded:
    case Generated:
    case Reshaped:
        // The rows under the change box now hold other steps.
        resetChangeBox(true);
        break;
    case Inserted:
    case Deleted:
    case Capped:
        resetChangeBox(false);
        break;
    case TimesShifted:
    case TakenFromGrid:
    case CellEdited:
        break;
    }
}

void ProgramGridPanel::currentCellMoved(int row, int column) {
    // Rows removed under the current cell put another step there: nothing is selected until the user
    // moves or clicks.
    if (reshaping_ || row < 0) {
        if (cellSelected_) resetChangeBox(false);
        return;
    }
    selectCell(row, column);
}

void ProgramGridPanel::selectCell(int row, int column) {
    if (row < 0) {
        services_.platform.beep();
        return;
    }
    // The "No" column is never edited: a click on it edits the frequency of that step. The highlighted
    // cell is always the one the change box edits.
    if (column == 0) column = 1;
    grid_->setCurrentCell(row, column);
    const QTableWidgetItem* cell = grid_->item(row, column);
    const QTableWidgetItem* no = grid_->item(row, 0);
    changeBox_->setText(cell ? cell->text() : QString());
    changeLabel_->setText(QStringLiteral(" ") + (no ? no->text() : QString::number(row + 1)) +
                          (column == 2 ? QStringLiteral(" Time") : QStringLiteral(" Freq")));
    cellSelected_ = true;
    deleteButton_->setEnabled(true);
    upDown_->setEnabled(true);
    changeBox_->setEnabled(true);
}

int ProgramGridPanel::editRow() const {
    return cellSelected_ ? grid_->currentRow() : -1;
}

int ProgramGridPanel::editColumn() const {
    return grid_->currentColumn() == 2 ? 2 : 1;
}

bool ProgramGridPanel::eventFilter(QObject* watched, QEvent* event) {
    // Up and Down in the change box step it as the spinner does.
    if (watched == changeBox_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            spin(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ProgramGridPanel::changeBoxEdited(const QString& text) {
    if (text.isEmpty() || editRow() < 0) return;
    if (auto fits = checkCellRange(text, editColumn()); !fits) {
        // The box and the cell show the value that is kept, so the grid shows what will run.
        const QString kept =
            editColumn() == 2 ? QString::number(cellTime(text)) : shortestText(cellFrequency(text));
        changeBox_->setText(kept);
        storeEdit(kept, kept);
        services_.platform.message(fits.error());
        return;
    }
    storeEdit(text, text);
}

void ProgramGridPanel::spin(int direction) {
    if (editRow() < 0) return;
    const int column = editColumn();
    const double value = steppedValue(changeBox_->text(), column, direction * increment());
    const QString text = column == 2 ? QString::number(static_cast<int>(value)) : shortestText(value);
    changeBox_->setText(text);
    storeEdit(text, text);
}

void ProgramGridPanel::storeEdit(const QString& cellText, QStringView valueText) {
    const int row = editRow();
    const int column = editColumn();
    if (row < 0 || row >= grid_->rowCount()) return;
    {
        const QScopedValueRollback writing(writing_, true);
        setCell(row, column, cellText);
    }
    services_.state.program.editCell(row, column, valueText.toString());
}

int ProgramGridPanel::increment() const {
    return stepSize_[1]->isChecked() ? 10 : 1;
}

void ProgramGridPanel::bufferToTable() {
    AppState& state = services_.state;
    if (state.program.fromBuffer(state.buffer).truncated) services_.platform.message(TooManyStepsText);
}

void ProgramGridPanel::clearTable() {
    services_.state.program.clear();
}

void ProgramGridPanel::openInsertWindow() {
    grid_->setEnabled(true);
    const int position = grid_->currentRow() + 1;
    WindowRegistry& windows = services_.windows;
    // Each Insert starts afresh with the row current now.
    if (QWidget* old = windows.find(QStringLiteral("frmInsertFreq"))) delete old;
    windows.open<InsertFrequencyWindow>(QStringLiteral("frmInsertFreq"),
                                        [&] { return new InsertFrequencyWindow(services_, position); });
}

void ProgramGridPanel::deleteSelectedStep() {
    if (editRow() < 0) return;
    const int row = editRow() + 1;
    resetChangeBox(false);
    if (auto deleted = services_.state.program.remove(row); !deleted)
        services_.platform.message(deleted.error());
}

void ProgramGridPanel::shiftTimes(int direction) {
    changeBox_->clear();
    services_.state.program.shiftTimes(direction * increment());
}

void ProgramGridPanel::applyCapAndDuplicates() {
    ProgramDocument& program = services_.state.program;
    if (program.stepCount() < 2) return;
    auto report = program.applyCap(capBox_->text(), duplicatesBox_->isChecked());
    if (!report) {
        services_.platform.message(report.error(), CapValueErrorTitle);
        return;
    }
    auto* window = qobject_cast<ApplyReportWindow*>(services_.windows.find(QStringLiteral("Form9")));
    if (!window)
        window = services_.windows.open<ApplyReportWindow>(QStringLiteral("Form9"),
                                                           [&] { return new ApplyReportWindow(services_); });
    window->showReport(*report);
}

void ProgramGridPanel::updateRunAndApply() {
    const bool hasSteps = services_.state.program.stepCount() >= 1;
    applyButton_->setEnabled(hasSteps);
    emit stepsPresent(hasSteps);
}

} // namespace sono
