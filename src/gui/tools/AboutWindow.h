#pragma once

#include <QWidget>

namespace sono {

struct Services;

// Form4: the about text in a serif box and two small drawings.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(Services& services);
};

} // namespace sono
