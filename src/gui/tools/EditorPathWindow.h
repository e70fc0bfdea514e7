#pragma once

#include <QWidget>

class QLineEdit;

namespace sono {

struct Services;

// Form6: the editor reports open in.
class EditorPathWindow : public QWidget {
    Q_OBJECT
public:
    explicit EditorPathWindow(Services& services);

    void saveAndExit(); // Command1

private:
    Services& services_;
    QLineEdit* path_;
};

} // namespace sono
