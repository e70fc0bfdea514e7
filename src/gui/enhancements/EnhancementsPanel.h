#pragma once

#include "core/enhancements/ProgramGenerators.h"

#include <QWidget>

class QComboBox;
class QListWidget;

namespace sono {

class MainWindow;

// The Enhancements chooser and the list of summary lines the generators write.
class EnhancementsPanel : public QWidget {
    Q_OBJECT
public:
    explicit EnhancementsPanel(MainWindow& main);

    void fillChooser();
    // Opens (or brings to the front) the window of the chooser item at `position`, if the table allows it.
    void choose(int position);

    // Shows a program a generator has just written: grid, duration, grid active, no stale cell selection.
    void showNewProgram(const QStringList& lines);
    void clearSummary();
    void addSummary(const QStringList& lines);

    GeneratorMemory& memory() { return memory_; }
    QComboBox* chooser() const { return chooser_; }
    QListWidget* summary() const { return summary_; }

private:
    MainWindow& main_;
    QComboBox* chooser_;
    QListWidget* summary_;
    GeneratorMemory memory_;
};

} // namespace sono
