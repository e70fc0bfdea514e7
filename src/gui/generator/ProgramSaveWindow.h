#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace sono {

class MainWindow;

// Form10: saves the program (settings and steps) under a typed name.
class ProgramSaveWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgramSaveWindow(MainWindow& main);

    void save();

private:
    void fillList(int limit);

    MainWindow& main_;
    QLineEdit* name_;
    QListWidget* list_;
};

} // namespace sono
