#include "gui/generator/ProgramLoadWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/common/QuotedFields.h"
#include "core/generator/FreqgenArgs.h"
#include "core/generator/ProgramFile.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace sono {

ProgramLoadWindow::ProgramLoadWindow(Services& services) : services_(services) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Sono - Load Freqgen File"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    auto* listLabel = new QLabel(QStringLiteral("Saved Programs"), this);
    listLabel->setBuddy(list_);
    selected_ = new QLabel(QStringLiteral("Select a file"), this);
    selected_->setObjectName(QStringLiteral("Label2"));
    load_ = new QPushButton(QStringLiteral("Load"), this);
    load_->setObjectName(QStringLiteral("Command1_0"));
    load_->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Command2"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(listLabel, 0, 0, 1, 2);
    layout->addWidget(list_, 1, 0, 1, 2);
    layout->addWidget(selected_, 2, 0, 1, 2);
    layout->addWidget(load_, 3, 0);
    layout->addWidget(close, 3, 1);

    list_->addItems(savedProgramNames(services_.state.AppPath, 2001));
    // Selection, not the current row: a list taking the focus makes its first row current unasked.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QListWidgetItem* item = selectedItem();
        selected_->setText(item ? QStringLiteral("Selected file : ") + item->text()
                                : QStringLiteral("Select a file"));
        load_->setEnabled(item != nullptr);
    });
    connect(load_, &QPushButton::clicked, this, &ProgramLoadWindow::load);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(320, 380);
    placeCentred(this, services_.platform, 150);
}

QListWidgetItem* ProgramLoadWindow::selectedItem() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void ProgramLoadWindow::load() {
    const QListWidgetItem* item = selectedItem();
    if (!item) return;
    const auto name = validateProgramName(item->text());
    if (!name) {
        services_.platform.message(name.error() + QStringLiteral(" Rename the file to load it."));
        return;
    }
    AppState& state = services_.state;
    const QString path = state.filePath(*name + QStringLiteral(".prg"));
    const auto bytes = readWholeFile(path);
    const auto program = bytes ? parseProgramFile(*bytes, path) : std::unexpected(bytes.error());
    if (!program) {
        services_.platform.message(program.error() + QStringLiteral("\n\nNothing was loaded."));
        return;
    }
    state.generator.ProgramName = *name;
    emit services_.requests.programLoaded(*program, *name);
}

} // namespace sono
