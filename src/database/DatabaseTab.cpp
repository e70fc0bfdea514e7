#include "database/DatabaseTab.h"

#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>

namespace sono {

DatabaseTab::DatabaseTab(MainWindow& main) : main_(main) {
    searchBox_ = new QLineEdit(this);
    searchBox_->setObjectName(QStringLiteral("Text1"));
    searchBox_->setAccessibleName(QStringLiteral("Search text"));
    const char* captions[3] = {"Description", "Comments", "Frequencies"};
    auto* layout = new QGridLayout(this);
    layout->addWidget(searchBox_, 0, 0);
    for (int i = 0; i < 3; ++i) {
        columns_[i] = new QCheckBox(QString::fromLatin1(captions[i]), this);
        columns_[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        layout->addWidget(columns_[i], 0, i + 1);
    }
    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("List1"));
    results_->setAccessibleName(QStringLiteral("Results"));
    layout->addWidget(results_, 1, 0, 1, 4);
}

void DatabaseTab::resetSearchOptions() {
    columns_[0]->setChecked(true);
}

void DatabaseTab::FrontCharSearch() {}

void DatabaseTab::Command1_Click() {}

} // namespace sono
