#include "database/DatabaseWindowFixture.h"
#include "support/Screenshot.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct RecordEditor : ::testing::Test {
    DatabaseWindowFixture sono{{record("Bravo", "b", {528, 727}), record("Charlie", std::nullopt, {7.83}),
                                record("Beta", "x", {1})}};
    QWidget* window = nullptr;

    void open(const char* button) {
        sono.button(button)->click();
        window = sono.editor();
        ASSERT_NE(window, nullptr);
    }
    template <class W> W* child(const QString& name) const { return window->findChild<W*>(name); }
    QLineEdit* description() const { return child<QLineEdit>("Text1"); }
    QLineEdit* slot(int index) const { return child<QLineEdit>(QStringLiteral("Text3_%1").arg(index)); }
    QPlainTextEdit* comments() const { return child<QPlainTextEdit>("Text2"); }
    void click(const char* button) const {
        child<QPushButton>(button)->click();
        DatabaseWindowFixture::settle();
    }
    void save() const { click("Command1"); }
};

} // namespace

TEST_F(RecordEditor, TheCloseBoxSavesNothingAndNewSavesDefaultsThenRefreshesTheLetterSearch) {
    sono.letter("B");
    open("Command5");
    EXPECT_FALSE(sono.main->isEnabled());
    description()->setText("Unsaved");
    EXPECT_TRUE(window->close());
    DatabaseWindowFixture::settle();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(*sono.state.database.tableRowCount(), 3);

    open("Command5"); // starts fresh
    EXPECT_EQ(window->windowTitle(), "Sono - NEW Database Entry");
    EXPECT_EQ(description()->text(), "");
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(slot(i)->text(), "");
    EXPECT_FALSE(child<QPlainTextEdit>("Text4")->isVisibleTo(window));
    // Four columns: F11 heads the second, right of F1.
    EXPECT_EQ(child<QLabel>("Label1_1")->text(), "F11");
    EXPECT_GT(slot(10)->geometry().x(), slot(0)->geometry().x());
    EXPECT_EQ(slot(10)->geometry().y(), slot(0)->geometry().y());
    screenshot(window, QStringLiteral("editor-new"));

    description()->setText("Bingo");
    save();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(sono.lines(), QStringList({"Beta", "Bingo", "Bravo"}));
    sono.select(1);
    const FrequencyRecord* saved = sono.state.database.current();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Comments, QStringLiteral("No Comments"));
    for (const auto& f : saved->F)
        EXPECT_EQ(f, 0.0);
}

TEST_F(RecordEditor, EditShowsTheRecordAndSavesItInPlace) {
    sono.find("r", true, false, false);
    ASSERT_EQ(sono.lines(), QStringList({"Bravo", "Charlie"}));
    sono.select(0);
    open("Command6");
    EXPECT_EQ(window->windowTitle(), "Sono - EDIT Database Entry");
    EXPECT_EQ(description()->text(), "Bravo");
    EXPECT_EQ(comments()->toPlainText(), "b");
    QStringList texts;
    for (int i = 0; i < 40; ++i)
        texts << slot(i)->text();
    EXPECT_EQ(texts, QStringList({"528", "727"}) + QStringList(38, "0"));
    EXPECT_EQ(child<QPlainTextEdit>("Text4")->toPlainText(), sono.frequencies());
    EXPECT_EQ(child<QLabel>("Label4")->text(), "Your frequencies prior to you editing them ;-)");

    // Frequency boxes select their whole text when they take the focus.
    QApplication::setActiveWindow(window);
    QTest::mouseClick(slot(0), Qt::LeftButton, {}, QPoint(3, slot(0)->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(slot(0)->selectedText(), "528");
    slot(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(slot(1)->selectedText(), "727");

    description()->setText("Bravo two");
    comments()->clear();
    slot(1)->clear();
    slot(39)->setText("25000");
    save();
    EXPECT_EQ(sono.lines(), QStringList({"Bravo two", "Charlie"})); // the Find "r" runs again
    EXPECT_EQ(*sono.state.database.tableRowCount(), 3);
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments");
    EXPECT_EQ(sono.frequencies(), " 528,  25000");
}

TEST_F(RecordEditor, RefusedSavesKeepTheEditorOpenAndTheDatabaseUnchanged) {
    sono.letter("C");
    sono.select(0);
    open("Command6");
    slot(11)->setText("12 Hz");
    save();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.startsWith("F12 "))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.editor(), window);
    EXPECT_EQ(slot(11)->text(), "12 Hz");

    slot(11)->setText("12");
    description()->clear();
    save();
    ASSERT_EQ(sono.titles().size(), 2);
    EXPECT_EQ(sono.titles()[1], "No Data In Description");
    EXPECT_EQ(sono.platform.messages[1].text, "You need to enter information in the Description Box.");
    EXPECT_EQ(sono.editor(), window);
    EXPECT_FALSE(sono.main->isEnabled());

    click("Command2"); // Exit - Do Not Save
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    sono.letter("C");
    sono.select(0);
    EXPECT_EQ(sono.frequencies(), " 7.83");
}
