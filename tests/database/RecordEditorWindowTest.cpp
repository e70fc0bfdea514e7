#include "database/DatabaseWindowFixture.h"
#include "database/RecordText.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

struct Editor {
    QWidget* window;
    QLineEdit* box(const char* name) const {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QLineEdit* slot(int index) const {
        return window->findChild<QLineEdit*>(QStringLiteral("Text3_%1").arg(index));
    }
    QPlainTextEdit* comments() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("Text2")); }
    QPlainTextEdit* prior() const { return window->findChild<QPlainTextEdit*>(QStringLiteral("Text4")); }
    void save() const {
        window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        DatabaseWindowFixture::settle();
    }
    void exit() const {
        window->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        DatabaseWindowFixture::settle();
    }
};

Editor open(DatabaseWindowFixture& sono, const char* button) {
    sono.button(button)->click();
    QWidget* window = sono.editor();
    EXPECT_NE(window, nullptr);
    return {window};
}

std::vector<FrequencyRecord> fixtureRecords() {
    return {record("Bravo", "b", {528, 727}), record("Charlie", std::nullopt, {7.83}),
            record("Beta", "x", {1})};
}

} // namespace

TEST(RecordEditor, NewWithOnlyADescriptionSavesDefaultsAndRefreshesTheLetterSearch) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("B");
    Editor editor = open(sono, "Command5");
    EXPECT_EQ(sono.state.EditorMode, 1);
    EXPECT_EQ(editor.window->windowTitle(), "Sono - NEW Database Entry");
    EXPECT_FALSE(sono.main->isEnabled());
    EXPECT_FALSE(editor.prior()->isVisibleTo(editor.window));
    EXPECT_FALSE(editor.window->findChild<QLabel*>("Label4")->isVisibleTo(editor.window));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(editor.slot(i)->text(), "");
    QStringList headings;
    for (int c = 0; c < 4; ++c)
        headings << editor.window->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(c))->text();
    EXPECT_EQ(headings, QStringList({"F1", "F11", "F21", "F31"}));
    // Slot 11 heads the second column, right of slot 1.
    EXPECT_GT(editor.slot(10)->geometry().x(), editor.slot(0)->geometry().x());
    EXPECT_EQ(editor.slot(10)->geometry().y(), editor.slot(0)->geometry().y());
    screenshot(editor.window, QStringLiteral("editor-new"));

    editor.box("Text1")->setText("Bingo");
    editor.save();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(sono.lines(), QStringList({"Beta", "Bingo", "Bravo"}));
    sono.select(1);
    EXPECT_EQ(sono.comments(), "No Comments");
    const FrequencyRecord* saved = sono.state.database.current();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Comments, QStringLiteral("No Comments"));
    for (const auto& slot : saved->F)
        EXPECT_EQ(slot, 0.0);
}

TEST(RecordEditor, ANewSetOutsideTheLastLetterIsSavedButNotListed) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("B");
    Editor editor = open(sono, "Command5");
    editor.box("Text1")->setText("Cobalt");
    editor.save();
    EXPECT_EQ(sono.lines(), QStringList({"Beta", "Bravo"}));
    EXPECT_EQ(*sono.state.database.tableRowCount(), 4);
    EXPECT_FALSE(sono.recordButtonsEnabled());
}

TEST(RecordEditor, EditShowsTheRecordAndSavesItInPlace) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.find("r", true, false, false);
    ASSERT_EQ(sono.lines(), QStringList({"Bravo", "Charlie"}));
    sono.select(0);
    Editor editor = open(sono, "Command6");
    EXPECT_EQ(sono.state.EditorMode, 2);
    EXPECT_EQ(editor.window->windowTitle(), "Sono - EDIT Database Entry");
    EXPECT_EQ(editor.box("Text1")->text(), "Bravo");
    EXPECT_EQ(editor.comments()->toPlainText(), "b");
    EXPECT_EQ(editor.slot(0)->text(), "528");
    EXPECT_EQ(editor.slot(1)->text(), "727");
    int zeros = 0;
    for (int i = 2; i < 40; ++i)
        zeros += editor.slot(i)->text() == "0";
    EXPECT_EQ(zeros, 38);
    EXPECT_TRUE(editor.prior()->isVisibleTo(editor.window));
    EXPECT_EQ(editor.prior()->toPlainText(), sono.frequencies());
    EXPECT_EQ(editor.window->findChild<QLabel*>("Label4")->text(),
              "Your frequencies prior to you editing them ;-)");
    screenshot(editor.window, QStringLiteral("editor-edit"));

    editor.box("Text1")->setText("Bravo two");
    editor.comments()->clear();
    editor.slot(1)->clear();
    editor.slot(39)->setText("25000");
    editor.save();
    // The Find "r" runs again.
    EXPECT_EQ(sono.lines(), QStringList({"Bravo two", "Charlie"}));
    EXPECT_EQ(*sono.state.database.tableRowCount(), 3);
    sono.select(0);
    EXPECT_EQ(sono.comments(), "No Comments");
    EXPECT_EQ(sono.frequencies(), " 528,  25000");
}

TEST(RecordEditor, RefusedSavesKeepTheEditorOpenAndTheDatabaseUnchanged) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("C");
    sono.select(0);
    Editor editor = open(sono, "Command6");
    editor.slot(11)->setText("12 Hz");
    editor.save();
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_TRUE(sono.platform.messages[0].text.startsWith("F12 "))
        << sono.platform.messages[0].text.toStdString();
    EXPECT_EQ(sono.editor(), editor.window);
    EXPECT_EQ(editor.slot(11)->text(), "12 Hz");

    editor.slot(11)->setText("12");
    editor.box("Text1")->clear();
    editor.save();
    ASSERT_EQ(sono.platform.messages.size(), 2);
    EXPECT_EQ(sono.platform.messages[1].text, "You need to enter information in the Description Box.");
    EXPECT_EQ(sono.platform.messages[1].title, "No Data In Description");
    EXPECT_EQ(sono.editor(), editor.window);
    EXPECT_FALSE(sono.main->isEnabled());
    EXPECT_EQ(sono.state.database.current()->Description, "Charlie");

    editor.exit();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    sono.letter("C");
    sono.select(0);
    EXPECT_EQ(sono.frequencies(), " 7.83");
}

TEST(RecordEditor, TheCloseBoxSavesNothingAndEnablesTheMainWindow) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("B");
    Editor editor = open(sono, "Command5");
    editor.box("Text1")->setText("Unsaved");
    EXPECT_TRUE(editor.window->close());
    DatabaseWindowFixture::settle();
    EXPECT_EQ(sono.editor(), nullptr);
    EXPECT_TRUE(sono.main->isEnabled());
    EXPECT_EQ(*sono.state.database.tableRowCount(), 3);
    EXPECT_EQ(sono.lines(), QStringList({"Beta", "Bravo"}));

    // The next opening starts fresh.
    Editor again = open(sono, "Command5");
    EXPECT_EQ(again.box("Text1")->text(), "");
    again.exit();
}

TEST(RecordEditor, FrequencyBoxesSelectTheirWholeText) {
    DatabaseWindowFixture sono(fixtureRecords());
    sono.letter("B");
    sono.select(1);
    Editor editor = open(sono, "Command6");
    QApplication::setActiveWindow(editor.window);
    QLineEdit* slot = editor.slot(0);
    QTest::mouseClick(slot, Qt::LeftButton, {}, QPoint(3, slot->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(slot->selectedText(), "528");
    QTest::keyClicks(slot, "432");
    EXPECT_EQ(slot->text(), "432");
    editor.slot(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(editor.slot(1)->selectedText(), "727");
    editor.exit();
}
