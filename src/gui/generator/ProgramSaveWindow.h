#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;

namespace sono {

struct Services;

// Form10: saves the program (settings and steps) under a typed name.
class ProgramSaveWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProgramSaveWindow(Services& services);

    void save();

private:
    void fillList(int limit);

    Services& services_;
    QLineEdit* name_;
    QListWidget* list_;
};

} // namespace sono
