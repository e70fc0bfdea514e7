#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace sono {

struct Services;

// Form11: loads a saved program (settings and steps).
class ProgramLoadWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgramLoadWindow(Services& services);

    void load();

private:
    QListWidgetItem* selectedItem() const;

    Services& services_;
    QListWidget* list_;
    QLabel* selected_;
    QPushButton* load_;
};

} // namespace sono
