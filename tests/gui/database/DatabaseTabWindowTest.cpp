#include "core/app/AppState.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/WindowRegistry.h"
#include "support/RecordingPlatform.h"
#include "support/Screenshot.h"
#include "support/SonoHarness.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>

using namespace sono;
using namespace sono::test;

namespace {

// Sono started on a temporary folder holding a few sets, with the Database tab and the record editor at hand.
struct DatabaseTabWindow : ::testing::Test {
    void start(const std::vector<FrequencyRecord>& records) {
        folder.createDatabase(records);
        state.folder = AppFolder(folder.path());
        session = std::make_unique<Session>(state, platform);
        main = startSono(*session);
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(platform.messages.isEmpty()) << platform.messageTexts().join(u'|').toStdString();
    }
    void SetUp() override {
        start({record("beta wave", "calm", {14, 528}), record("Alpha", std::nullopt, {528, 727}),
               record("apple", "fruit apple", {5280}), record("Theta", "deep", {528.5, 6}),
               record("Twin", "first twin", {111}), record("Twin", "second twin", {222, 333}),
               record("Zero", "", {})});
    }

    template <class W> W* control(const QString& name) const {
        W* widget = main->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QListView* list() const { return control<QListView>("List1"); }
    QLineEdit* searchBox() const { return control<QLineEdit>("Text1"); }
    QCheckBox* box(int i) const { return control<QCheckBox>(QStringLiteral("Check1_%1").arg(i)); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QString caption() const { return control<QLabel>("Label2_0")->text(); }
    QString comments() const { return control<QPlainTextEdit>("Text2")->toPlainText(); }
    QString frequencies() const { return control<QPlainTextEdit>("Text3")->toPlainText(); }

    QStringList titles() const {
        QStringList result;
        for (const auto& m : platform.messages)
            result << m.title;
        return result;
    }
    QStringList lines() const { return rows(list()); }
    // The letter item of the menu bar, by its item name ("a", "B", ...).
    void letter(const char* name) const {
        QAction* item = main->menuAction(QString::fromLatin1(name));
        ASSERT_NE(item, nullptr) << name;
        item->trigger();
    }
    void find(const QString& text, bool d, bool c, bool f) const {
        searchBox()->setText(text);
        for (int i = 0; i < 3; ++i)
            box(i)->setChecked(std::array{d, c, f}[i]);
        button("Command1")->click();
    }
    // The ticked boxes, as "DCF" with "-" for each unticked one.
    QString ticks() const {
        return QString(box(0)->isChecked() ? 'D' : '-') + (box(1)->isChecked() ? 'C' : '-') +
               (box(2)->isChecked() ? 'F' : '-');
    }
    // A click on line k.
    void select(int k) const {
        const QModelIndex line = list()->model()->index(k, 0);
        list()->scrollTo(line);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(line).center());
    }
    QStringList selected() const {
        QStringList result;
        for (const QModelIndex& line : list()->selectionModel()->selectedRows())
            result << line.data().toString();
        return result;
    }
    bool recordButtonsEnabled() const {
        const bool send = button("Command3")->isEnabled();
        EXPECT_TRUE(send == button("Command6")->isEnabled() && send == button("Command7")->isEnabled())
            << "the three record buttons go together";
        return send;
    }
    // Lets closed windows go, as the event loop would.
    static void settle() { QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QWidget* editor() const { return main->windows().find(QStringLiteral("Form2")); }

    TestFolder folder;
    RecordingPlatform platform;
    AppState state;
    std::unique_ptr<Session> session;
    MainWindow* main = nullptr;

    // The record editor, once open.
    QWidget* window = nullptr;
    void open(const char* name) {
        button(name)->click();
        window = editor();
        ASSERT_NE(window, nullptr);
    }
    template <class W> W* child(const QString& name) const { return window->findChild<W*>(name); }
    QLineEdit* description() const { return child<QLineEdit>("Text1"); }
    QLineEdit* slot(int index) const { return child<QLineEdit>(QStringLiteral("Text3_%1").arg(index)); }
    void click(const char* name) const {
        child<QPushButton>(name)->click();
        settle();
    }
};

} // namespace

TEST_F(DatabaseTabWindow, LetterSearchAndFindFillTheListAndCaption) {
    EXPECT_EQ(caption(), "Results :");
    EXPECT_FALSE(recordButtonsEnabled());
    letter("a");
    EXPECT_EQ(lines(), QStringList({"Alpha", "apple"}));
    EXPECT_EQ(caption(), "Results :  2 records found");
    letter("q");
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(caption(), "Results :  0 records found");

    find("apple", true, true, false);
    EXPECT_EQ(lines(), QStringList({"apple"})); // in both columns, listed once
    find("528", false, false, true);
    EXPECT_EQ(lines(), QStringList({"Alpha", "beta wave"}));
    // Refused finds show their message and keep the list.
    find("x", false, false, false);
    find("Hz", false, false, true);
    EXPECT_EQ(titles(), QStringList({"Make a Choice !", "Enter a Value !"}));
    EXPECT_EQ(lines(), QStringList({"Alpha", "beta wave"}));
    EXPECT_EQ(state.CurrentQuery, SearchQuery::find("528", false, false, true).sqlText());
}

TEST_F(DatabaseTabWindow, SearchBoxAndCheckBoxes) {
    QApplication::setActiveWindow(main);
    QTest::keyClicks(searchBox(), "Twin");
    EXPECT_TRUE(lines().isEmpty()); // typing alone searches nothing
    QTest::keyClick(searchBox(), Qt::Key_Return);
    EXPECT_EQ(lines(), QStringList({"Twin", "Twin"}));
    list()->setFocus();
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(searchBox(), &enter);
    EXPECT_EQ(QApplication::focusWidget(), searchBox());

    const std::pair<int, const char*> clicks[] = {{1, "DC-"}, {2, "--F"}, {0, "D--"},
                                                  {0, "---"}, {2, "--F"}, {2, "---"}};
    for (const auto& [click, expected] : clicks) {
        box(click)->click();
        EXPECT_EQ(ticks(), expected) << "after clicking box " << click;
    }
    // Ticking from the program is not a click.
    box(2)->setChecked(true);
    box(0)->setChecked(true);
    EXPECT_TRUE(box(2)->isChecked());
}

TEST_F(DatabaseTabWindow, SelectingALineShowsItsOwnRecord) {
    letter("T");
    ASSERT_EQ(lines(), QStringList({"Theta", "Twin", "Twin"}));
    select(2);
    EXPECT_EQ(comments(), "second twin");
    EXPECT_EQ(state.RecordFreqText, " 222,  333");
    EXPECT_TRUE(recordButtonsEnabled());
    select(1);
    EXPECT_EQ(comments(), "first twin");
    EXPECT_EQ(frequencies(), " 111");
    // A search disables the buttons but keeps the display.
    letter("z");
    EXPECT_FALSE(recordButtonsEnabled());
    EXPECT_EQ(comments(), "first twin");
    select(0);
    EXPECT_EQ(comments(), "No Comments"); // an empty comment, as a null one would be
    EXPECT_EQ(frequencies(), "");
}

TEST_F(DatabaseTabWindow, TabIntoTheListShowsNoSetUntilALineIsSelected) {
    letter("T");
    QApplication::setActiveWindow(main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    searchBox()->setFocus();
    for (int i = 0; i < 10 && QApplication::focusWidget() != list(); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list());
    EXPECT_TRUE(selected().isEmpty());
    EXPECT_FALSE(recordButtonsEnabled());
    EXPECT_EQ(comments(), "");

    QTest::keyClick(list(), Qt::Key_Down); // a keyboard move that visibly selects a line
    EXPECT_EQ(selected(), QStringList{"Twin"});
    EXPECT_EQ(comments(), "first twin");
    EXPECT_TRUE(recordButtonsEnabled());
    QTest::keyClick(list(), Qt::Key_Space, Qt::ControlModifier); // unselects it again
    EXPECT_TRUE(selected().isEmpty());
    EXPECT_FALSE(recordButtonsEnabled());
}

struct DatabaseTabWindowLongList : DatabaseTabWindow {
    void SetUp() override {
        std::vector<FrequencyRecord> records;
        for (int i = 0; i < 3000; ++i)
            records.push_back(
                record(QStringLiteral("Set %1").arg(i, 4, 10, QLatin1Char('0')), QString::number(i)));
        start(records);
    }
};

TEST_F(DatabaseTabWindowLongList, TheLastLineShowsTheLastSet) {
    letter("S");
    EXPECT_EQ(caption(), "Results :  3000 records found");
    select(2999);
    EXPECT_EQ(comments(), "2999");
    screenshot(main, QStringLiteral("database-tab"));
}

TEST_F(DatabaseTabWindow, DeleteAsksFirstAndRepeatsTheLastSearch) {
    letter("T");
    select(1);
    platform.answers.push_back(MessageAnswer::Cancel);
    button("Command7")->click();
    ASSERT_EQ(titles(), QStringList({"Delete A Record"}));
    EXPECT_EQ(platform.messages[0].text, "You are about to permanently DELETE the select record !");
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(lines(), QStringList({"Theta", "Twin", "Twin"}));

    button("Command7")->click(); // OK
    EXPECT_EQ(lines(), QStringList({"Theta", "Twin"}));
    EXPECT_FALSE(recordButtonsEnabled());
    // A refresh refused for want of a ticked box still drops the deleted line.
    find("e", true, false, false);
    box(0)->setChecked(false);
    select(0);
    button("Command7")->click();
    EXPECT_EQ(titles().last(), "Make a Choice !");
    EXPECT_EQ(lines(), QStringList({"beta wave", "Theta", "Zero"}));
    select(1);
    EXPECT_EQ(comments(), "deep");
}

TEST_F(DatabaseTabWindow, RepairOfALockedFileLeavesSearchesWorkingThenRemovesALeftoverAndKeepsABackup) {
    const QByteArray before = folder.read("freqs.mdb");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(folder.file("freqs.mdb").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    main->menuAction("RandCDB")->trigger();
    sqlite3_close(other);
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains("locked by another program — close it and try again"))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(folder.read("freqs.mdb"), before);
    letter("a");
    EXPECT_EQ(lines(), QStringList({"Alpha", "apple"}));

    folder.write("newFreq.mdb", "left over");
    select(0);
    searchBox()->setText("x");
    main->menuAction("RandCDB")->trigger();
    ASSERT_EQ(titles().size(), 2);
    EXPECT_EQ(titles()[1], "Good News !");
    EXPECT_EQ(platform.messages[1].text, "FREQS.MDB file successfully repaired and compacted.\n\n"
                                         "The file as it was before the repair is kept as freqs.mdb.bak.");
    EXPECT_FALSE(folder.exists("newFreq.mdb"));
    EXPECT_EQ(folder.read("freqs.mdb.bak"), before);
    EXPECT_EQ((lines() << searchBox()->text() << comments()), QStringList({"", ""}));
    EXPECT_FALSE(recordButtonsEnabled());
    EXPECT_EQ(state.CurrentQuery, SearchQuery::all().sqlText());
}

TEST_F(DatabaseTabWindow, EditorCloseBoxSavesNothingAndNewSavesDefaults) {
    letter("B");
    ASSERT_EQ(lines(), QStringList({"beta wave"}));
    open("Command5");
    EXPECT_FALSE(main->isEnabled());
    description()->setText("Unsaved");
    EXPECT_TRUE(window->close());
    settle();
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(*state.database.tableRowCount(), 7);

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
    click("Command1");
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(lines(), QStringList({"beta wave", "Bingo"}));
    select(1);
    const FrequencyRecord* saved = state.database.current();
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->Comments, QStringLiteral("No Comments"));
    for (const auto& f : saved->F)
        EXPECT_EQ(f, 0.0);
}

TEST_F(DatabaseTabWindow, EditorEditShowsTheRecordAndSavesItInPlace) {
    find("ph", true, false, false);
    ASSERT_EQ(lines(), QStringList({"Alpha"}));
    select(0);
    open("Command6");
    EXPECT_EQ(window->windowTitle(), "Sono - EDIT Database Entry");
    EXPECT_EQ(description()->text(), "Alpha");
    EXPECT_EQ(child<QPlainTextEdit>("Text2")->toPlainText(), "No Comments");
    QStringList texts;
    for (int i = 0; i < 40; ++i)
        texts << slot(i)->text();
    EXPECT_EQ(texts, QStringList({"528", "727"}) + QStringList(38, "0"));
    EXPECT_EQ(child<QPlainTextEdit>("Text4")->toPlainText(), frequencies());
    EXPECT_EQ(child<QLabel>("Label4")->text(), "Your frequencies prior to you editing them ;-)");

    // Frequency boxes select their whole text when they take the focus.
    QApplication::setActiveWindow(window);
    QTest::mouseClick(slot(0), Qt::LeftButton, {}, QPoint(3, slot(0)->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(slot(0)->selectedText(), "528");
    slot(1)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(slot(1)->selectedText(), "727");

    description()->setText("Alpha two");
    child<QPlainTextEdit>("Text2")->clear();
    slot(1)->clear();
    slot(39)->setText("25000");
    click("Command1");
    EXPECT_EQ(lines(), QStringList({"Alpha two"})); // the Find "ph" runs again; the set changed in place
    select(0);
    EXPECT_EQ(comments(), "No Comments");
    EXPECT_EQ(frequencies(), " 528,  25000");
}

TEST_F(DatabaseTabWindow, EditorRefusedSavesKeepItOpenAndTheDatabaseUnchanged) {
    letter("T");
    select(0);
    open("Command6");
    slot(11)->setText("12 Hz");
    click("Command1");
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.startsWith("F12 ")) << platform.messages[0].text.toStdString();
    EXPECT_EQ(editor(), window);
    EXPECT_EQ(slot(11)->text(), "12 Hz");

    slot(11)->setText("12");
    description()->clear();
    click("Command1");
    ASSERT_EQ(titles().size(), 2);
    EXPECT_EQ(titles()[1], "No Data In Description");
    EXPECT_EQ(platform.messages[1].text, "You need to enter information in the Description Box.");
    EXPECT_EQ(editor(), window);
    EXPECT_FALSE(main->isEnabled());

    click("Command2"); // Exit - Do Not Save
    EXPECT_EQ(editor(), nullptr);
    EXPECT_TRUE(main->isEnabled());
    letter("T");
    select(0);
    EXPECT_EQ(frequencies(), " 528.5,  6");
}
