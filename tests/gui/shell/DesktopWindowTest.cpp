#include "core/app/AppState.h"
#include "gui/shell/QtPlatform.h"
#include "gui/shell/WindowRegistry.h"
#include "support/SonoHarness.h"

#include <QtTest>
#include <QtWidgets>

using namespace sono;
using namespace sono::test;

namespace {

// Sono on a real desktop's terms: the window that is used has the focus, and keys are real key events.
struct Desktop : ::testing::Test, SonoHarness {
    void SetUp() override {
        folder.createDatabase({record(QStringLiteral("Alpha"), QStringLiteral("a"), {528}),
                               record(QStringLiteral("Theta"), QStringLiteral("t"), {6}),
                               record(QStringLiteral("Wave"), QStringLiteral("w"), {10})});
    }
    static void focus(QWidget* window) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    QStringList lines() const { return rows(child<QListView>(main, "List1")); }
};

} // namespace

TEST_F(Desktop, AltAndALetterRunsTheLetterSearchAndF10OpensTheMenuBar) {
    ASSERT_NE(start(), nullptr);
    focus(main);
    QTest::keyClick(main, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(lines(), QStringList({"Theta"}));
    QTest::keyClick(main, Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(lines(), QStringList({"Wave"}));
    auto* tools = child<QMenu>(main, "Tools");
    EXPECT_FALSE(tools->isVisible());
    QTest::keyClick(main, Qt::Key_F10);
    EXPECT_TRUE(tools->isVisible());
    QTest::keyClick(tools, Qt::Key_Escape);
    EXPECT_FALSE(tools->isVisible());
}

// The record editor is closed (a screen reader pressing "Exit - Do Not Save") while its own "Not A
// Number" box is open, with the real message boxes of the desktop.
TEST_F(Desktop, AWindowClosedUnderItsMessageBoxOutlivesTheBox) {
    QtPlatform desktop;
    Session real{state, desktop};
    main = startSono(real);
    ASSERT_NE(main, nullptr);
    main->menuAction(QStringLiteral("a"))->trigger();
    auto* list = child<QListView>(main, "List1");
    list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
    child<QPushButton>(main, "Command6")->click();
    QPointer<QWidget> editor = main->windows().find(QStringLiteral("Form2"));
    ASSERT_NE(editor, nullptr);
    focus(editor);
    child<QLineEdit>(editor, "Text3_6")->setText(QStringLiteral("?"));

    QString shown;
    bool editorOpenUnderTheBox = false;
    QTimer::singleShot(0, [&] { child<QPushButton>(editor, "Command2")->click(); });
    QTimer::singleShot(200, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->windowTitle();
        editorOpenUnderTheBox = editor && editor->isVisible();
        box->accept();
    });
    child<QPushButton>(editor, "Command1")->click(); // Save and Exit: the box runs here
    EXPECT_EQ(shown, "Not A Number");
    EXPECT_TRUE(editorOpenUnderTheBox);
    // The close asked for meanwhile takes effect once the box is answered.
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor.isNull(); }, 2000));
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(lines(), QStringList({"Alpha"}));
}
