#include "core/generator/ProgramFile.h"
#include "gui/shell/SplashWindow.h"
#include "support/SonoHarness.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

// Controls a screen reader cannot name: no accessible name, no caption, and no label pointing at them.
QStringList unnamedControls(QWidget* window) {
    QSet<QWidget*> labelled;
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy()) labelled.insert(label->buddy());
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                             qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
                             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                             qobject_cast<QAbstractSlider*>(w) || qobject_cast<QAbstractSpinBox*>(w);
        if (!control || w->objectName().startsWith(QStringLiteral("qt_"))) continue;
        // Parts Qt builds inside other controls (the combo box's line edit, the scroll bars) are named by
        // them.
        if (qobject_cast<QComboBox*>(w->parentWidget()) ||
            (qobject_cast<QAbstractSlider*>(w) && w->objectName().isEmpty()))
            continue;
        if (qobject_cast<QLineEdit*>(w) && qobject_cast<QAbstractSpinBox*>(w->parentWidget())) continue;
        if (qobject_cast<QAbstractItemView*>(w->parentWidget())) // header views and the corner button
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const bool named = !w->accessibleName().trimmed().isEmpty() || labelled.contains(w) ||
                           (button && !button->text().trimmed().isEmpty());
        if (!named)
            unnamed << QStringLiteral("%1 %2 (%3)")
                           .arg(window->objectName(), w->objectName(),
                                QString::fromLatin1(w->metaObject()->className()));
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
    const QStringList items = {QStringLiteral("FreqConversions"), QStringLiteral("pLr"),
                               QStringLiteral("CalibrateSndCrd"), QStringLiteral("SetEditorPath"),
                               QStringLiteral("AboutSono"),       QStringLiteral("HelpandTips"),
                               QStringLiteral("fgKeyCommands"),   QStringLiteral("Dorv_Effect")};
    QSet<QString> seen;
    auto collect = [&] {
        for (QWidget* window : main->windows().openWindows()) {
            seen.insert(window->objectName());
            unnamed << unnamedControls(window);
        }
        main->windows().closeAll();
        QApplication::processEvents();
    };
    for (const QString& item : items) {
        main->menuAction(item)->trigger();
        collect();
    }
    // The windows behind buttons: record editor, buffer, insert, save and load.
    for (const char* button : {"Command5", "Command4", "Command12_0", "Command14", "Command15"}) {
        auto* b = child<QAbstractButton>(main, QString::fromLatin1(button));
        ASSERT_NE(b, nullptr);
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
    const QStringList expected = {"Form2",  "Form3",  "Form4",  "Form5",  "Form6",        "Form7",  "Form8",
                                  "Form10", "Form11", "Form12", "Form13", "Form14",       "Form15", "Form16",
                                  "Form17", "Form18", "Form19", "Form21", "frmInsertFreq"};
    for (const QString& form : expected)
        EXPECT_TRUE(seen.contains(form)) << form.toStdString() << " was not opened";
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(QStringLiteral("\n")).toStdString();
}
