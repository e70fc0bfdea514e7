#pragma once

#include <QWidget>

namespace sono {

struct Services;

// Form20: what the meditation program does and which note sets suit it.
class MeditationAboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit MeditationAboutWindow(Services& services);

    static QString aboutText();
};

} // namespace sono
