#pragma once

#include <QWidget>

class QComboBox;
class QListWidget;

namespace sono {

struct Services;

// The Enhancements chooser and the list of summary lines the generators write.
class EnhancementsPanel : public QWidget {
    Q_OBJECT
public:
    explicit EnhancementsPanel(Services& services);

    void fillChooser();
    // Opens (or brings to the front) the window of the chooser item at `position`, if the table allows it.
    void choose(int position);

    void clearSummary();
    void addSummary(const QStringList& lines);

    QComboBox* chooser() const { return chooser_; }
    QListWidget* summary() const { return summary_; }

private:
    Services& services_;
    QComboBox* chooser_;
    QListWidget* summary_;
};

} // namespace sono
