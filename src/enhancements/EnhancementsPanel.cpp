#include "enhancements/EnhancementsPanel.h"

#include "ui/MainWindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace sono {

EnhancementsPanel::EnhancementsPanel(MainWindow& main) : main_(main) {
    chooser_ = new QComboBox(this);
    chooser_->setObjectName(QStringLiteral("Combo3"));
    chooser_->setAccessibleName(QStringLiteral("Enhancements"));
    summary_ = new QListWidget(this);
    summary_->setObjectName(QStringLiteral("List2"));
    summary_->setAccessibleName(QStringLiteral("Enhancement summary"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser_);
    layout->addWidget(summary_);
}

void EnhancementsPanel::fillChooser() {
    chooser_->clear();
    chooser_->addItems({QStringLiteral("Sweep"), QStringLiteral("Harmonise"), QStringLiteral("Nuke'em"),
                        QStringLiteral("Really Nuke'em"), QStringLiteral("Off-sets Brackets Octaves"),
                        QStringLiteral("Chakra Charging : Meditation")});
}

} // namespace sono
