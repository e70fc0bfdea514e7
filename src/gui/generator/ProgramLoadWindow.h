#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace sono {

class MainWindow;

// Form11: loads a saved program (settings and steps).
class ProgramLoadWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgramLoadWindow(MainWindow& main);

    void load();

private:
    QListWidgetItem* selectedItem() const;

    MainWindow& main_;
    QListWidget* list_;
    QLabel* selected_;
    QPushButton* load_;
};

} // namespace sono
