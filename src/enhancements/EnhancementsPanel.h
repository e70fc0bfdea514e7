#pragma once

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

    QComboBox* chooser() const { return chooser_; }
    QListWidget* summary() const { return summary_; }

private:
    MainWindow& main_;
    QComboBox* chooser_;
    QListWidget* summary_;
};

} // namespace sono
