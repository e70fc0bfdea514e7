#pragma once

#include <QWidget>

namespace sono {

class MainWindow;

// Form20: what the meditation program does and which note sets suit it.
class MeditationAboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit MeditationAboutWindow(MainWindow& main);

    static QString aboutText();
};

} // namespace sono
