#include "program/ProgramGridPanel.h"

#include "app/AppState.h"
#include "common/NumberText.h"
#include "ui/MainWindow.h"
#include "ui/Platform.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sono {

ProgramGridPanel::ProgramGridPanel(MainWindow& main) : main_(main) {
    grid_ = new QTableWidget(0, 3, this);
    grid_->setObjectName(QStringLiteral("Fgrid"));
    grid_->setAccessibleName(QStringLiteral("Program table"));
    grid_->setHorizontalHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("Frequency"), QStringLiteral("Time")});
    grid_->verticalHeader()->setVisible(false);
    duration_ = new QLabel(QStringLiteral("Duration:"), this);
    duration_->setObjectName(QStringLiteral("Label6"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addWidget(duration_);
}

void ProgramGridPanel::setupGrid() {
    grid_->setRowCount(0);
}

void ProgramGridPanel::selectStartupOptions() {}

void ProgramGridPanel::setGridActive(bool active) {
    grid_->setEnabled(active);
}

void ProgramGridPanel::resetChangeBox(bool resetLabel) { (void)resetLabel; }

void ProgramGridPanel::selectSortOption(int index) { main_.state().generator.SortMode = static_cast<qint16>(index); }

void ProgramGridPanel::takeTableFromGrid() {}

void ProgramGridPanel::ClearArray() {
    ProgramTable& table = main_.state().program;
    for (int i = 1; i <= table.StepCount; ++i) {
        table.StepFreq[static_cast<size_t>(i)] = 0;
        table.StepNo[static_cast<size_t>(i)] = 0;
        table.StepTime[static_cast<size_t>(i)] = 0;
    }
}

void ProgramGridPanel::fgArrayToTable() {
    const ProgramTable& table = main_.state().program;
    if (table.StepCount > ProgramTable::MaxSteps) {
        main_.platform().message(QStringLiteral("Too may frequencies, 2000 limit"));
        return;
    }
    grid_->setRowCount(table.StepCount);
    for (int i = 1; i <= table.StepCount; ++i) {
        const auto k = static_cast<size_t>(i);
        grid_->setItem(i - 1, 0, new QTableWidgetItem(QString::number(table.StepNo[k])));
        grid_->setItem(i - 1, 1, new QTableWidgetItem(shortestText(table.StepFreq[k])));
        grid_->setItem(i - 1, 2, new QTableWidgetItem(QString::number(table.StepTime[k])));
    }
    fgProgramTime();
}

void ProgramGridPanel::DisplayGrid() {
    const ProgramTable& table = main_.state().program;
    if (grid_->rowCount() < 1) return;
    for (int r = 1; r <= grid_->rowCount(); ++r) {
        const auto k = static_cast<size_t>(r);
        grid_->setItem(r - 1, 0, new QTableWidgetItem(QString::number(r)));
        grid_->setItem(r - 1, 1, new QTableWidgetItem(shortestText(table.StepFreq[k])));
        grid_->setItem(r - 1, 2, new QTableWidgetItem(QString::number(table.StepTime[k])));
    }
    fgProgramTime();
}

void ProgramGridPanel::fgProgramTime() {
    ProgramTable& table = main_.state().program;
    if (table.StepCount > ProgramTable::MaxSteps) {
        main_.platform().message(QStringLiteral("Too many frequencies, 2000 limit!"));
        return;
    }
    float total = 0;
    for (int i = 1; i <= table.StepCount; ++i)
        total += table.StepTime[static_cast<size_t>(i)];
    table.TotalTime = total;
    duration_->setText(QStringLiteral("Duration: ") + formatPattern(total / 60.0, u"###.0") +
                       QStringLiteral(" minutes"));
}

} // namespace sono
