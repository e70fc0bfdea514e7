#include "gui/generator/ProgramSaveWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/UnreadFiles.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/generator/ProgramFile.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace sono {

ProgramSaveWindow::ProgramSaveWindow(Services& services) : services_(services) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Sono - Save Freqgen File"));
    name_ = new QLineEdit(QStringLiteral("default"), this);
    name_->setObjectName(QStringLiteral("Text1"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    auto* nameLabel = new QLabel(QStringLiteral("Enter Name for File"), this);
    nameLabel->setBuddy(name_);
    auto* listLabel = new QLabel(QStringLiteral("Saved Programs"), this);
    listLabel->setBuddy(list_);
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("Command1_0"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command1_1"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(nameLabel, 0, 0, 1, 2);
    layout->addWidget(name_, 1, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Do not enter the .prg extension."), this), 2, 0, 1, 2);
    layout->addWidget(listLabel, 3, 0, 1, 2);
    layout->addWidget(list_, 4, 0, 1, 2);
    layout->addWidget(save, 5, 0);
    layout->addWidget(close, 5, 1);

    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { name_->setText(item->text()); });
    connect(save, &QPushButton::clicked, this, &ProgramSaveWindow::save);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    fillList(ProgramTable::MaxSteps + 1);
    resize(320, 380);
    placeCentred(this, services_.platform, 150);
}

void ProgramSaveWindow::fillList(int limit) {
    list_->clear();
    list_->addItems(savedProgramNames(services_.state.AppPath, limit));
}

void ProgramSaveWindow::save() {
    if (name_->text().isEmpty()) return;
    const auto name = validateProgramName(name_->text());
    if (!name) {
        services_.platform.message(name.error());
        return;
    }
    AppState& state = services_.state;
    // The grid may have been edited since the window opened; it is what the user sees.
    state.program.takeFromGrid();
    const QString path = state.filePath(*name + QStringLiteral(".prg"));
    if (!keepUnreadFile(state, services_.platform, path)) return;
    if (auto written =
            writeWholeFile(path, programFileBytes(programFromState(state.generator, state.program.table())));
        !written) {
        services_.platform.message(written.error());
        return;
    }
    fillList(-1);
    emit services_.requests.programNamed(*name);
}

} // namespace sono
