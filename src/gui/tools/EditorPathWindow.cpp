#include "gui/tools/EditorPathWindow.h"

#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/app/UnreadFiles.h"
#include "core/tools/EditorPath.h"
#include "gui/shell/Services.h"
#include "gui/shell/WindowRegistry.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sono {

EditorPathWindow::EditorPathWindow(Services& services) : services_(services) {
    setWindowTitle(QStringLiteral("Sono - Editor Path Setting"));
    auto* layout = new QVBoxLayout(this);
    auto* label1 = new QLabel(QStringLiteral("Enter the path and program of your editor."), this);
    label1->setObjectName(QStringLiteral("Label1"));
    path_ = new QLineEdit(services.state.EditorPath, this);
    path_->setObjectName(QStringLiteral("Text1"));
    path_->setAccessibleName(QStringLiteral("Editor path"));
    path_->setMinimumWidth(420);
    label1->setBuddy(path_);
    auto* label2 = new QLabel(QStringLiteral("Default = ") + DefaultEditorPath, this);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label1);
    layout->addWidget(path_);
    layout->addWidget(label2);
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Save and Exit"), this);
    save->setObjectName(QStringLiteral("Command1"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command2"));
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(exit);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &EditorPathWindow::saveAndExit);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);
    adjustSize();
    placeCentred(this, services.platform, 150);
}

void EditorPathWindow::saveAndExit() {
    AppState& state = services_.state;
    const QString settingsPath = state.filePath(QStringLiteral("sono.ini"));
    if (editorPathFromTyped(path_->text()) && !keepUnreadFile(state, services_.platform, settingsPath))
        return;
    auto saved = saveEditorPath(path_->text(), state.ClearBufferFirst, settingsPath);
    if (!saved) {
        services_.platform.message(saved.error());
        return; // the window stays open so the path can be corrected
    }
    state.EditorPath = *saved;
    close();
}

} // namespace sono
