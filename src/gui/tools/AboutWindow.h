#pragma once

#include <QWidget>

namespace sono {

class MainWindow;

// Form4: the about text in a serif box and two small drawings.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(MainWindow& main);
};

} // namespace sono
