#include "core/generator/ProgramFile.h"
#include "gui/shell/SplashWindow.h"
#include "support/SonoHarness.h"

#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

// Controls a screen reader cannot name: no accessible name, no caption, and no label pointing at them.
QStringList unnamedControls(QWidget* window) {
    QSet<QWidget*> labelled;
    for (QLabel* label : window->findChildren<QLabel*>())
        labelled.insert(label->buddy());
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool control = button || qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                             qobject_cast<QTextEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                             qobject_cast<QAbstractSpinBox*>(w);
        // Parts Qt builds inside other controls (line edits of combo and spin boxes, scroll bars, header
        // views) are named by them.
        const QWidget* in = w->parentWidget();
        const bool part = w->objectName().startsWith(QStringLiteral("qt_")) ||
                          qobject_cast<const QComboBox*>(in) || qobject_cast<const QAbstractSpinBox*>(in) ||
                          qobject_cast<const QAbstractItemView*>(in) ||
                          (qobject_cast<QAbstractSlider*>(w) && w->objectName().isEmpty());
        if (control && !part && w->accessibleName().trimmed().isEmpty() && !labelled.contains(w) &&
            !(button && !button->text().trimmed().isEmpty()))
            unnamed << window->objectName() + u' ' + w->objectName() + u' ' + w->metaObject()->className();
    }
    return unnamed;
}

} // namespace

TEST(Accessibility, EveryControlOfEveryWindowHasAName) {
    SonoHarness sono;
    sono.folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("c1"), {528, 727})});
    sono.folder.installHelpPages();
    SplashWindow splash(sono.state, sono.platform);
    QStringList unnamed = unnamedControls(&splash);
    MainWindow* main = sono.start();
    ASSERT_NE(main, nullptr);
    unnamed << unnamedControls(main);

    // Every window the menus open, one at a time (some of them disable the main window while open).
    QSet<QString> seen;
    auto collect = [&] {
        for (QWidget* window : main->windows().openWindows()) {
            seen.insert(window->objectName());
            unnamed << unnamedControls(window);
        }
        main->windows().closeAll();
        QApplication::processEvents();
    };
    for (const char* item : {"FreqConversions", "pLr", "CalibrateSndCrd", "SetEditorPath", "AboutSono",
                             "HelpandTips", "fgKeyCommands", "Dorv_Effect"}) {
        main->menuAction(item)->trigger();
        collect();
    }
    // The windows behind buttons: record editor, buffer, insert, save and load.
    for (const char* button : {"Command5", "Command4", "Command12_0", "Command14", "Command15"}) {
        auto* b = child<QAbstractButton>(main, button);
        b->setEnabled(true);
        b->click();
        collect();
    }
    // The enhancement windows, on a table long enough for all of them.
    std::vector<ProgramStep> steps;
    for (int i = 1; i <= 10; ++i)
        steps.push_back({static_cast<qint16>(i), 100.0f * static_cast<float>(i), 180});
    sono.state.program.load(steps, 2);
    auto* chooser = child<QComboBox>(main, QStringLiteral("Combo3"));
    for (int i = 0; i < chooser->count(); ++i) {
        chooser->setCurrentIndex(i);
        emit chooser->activated(i);
        collect();
    }
    EXPECT_EQ(seen.size(), 19) << QStringList(seen.begin(), seen.end()).join(u' ').toStdString();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();
}
