#pragma once

#include "app/AppState.h"
#include "support/RecordingPlatform.h"
#include "support/TestFolder.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"
#include "ui/WindowRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace sono::test {

// Sono started on a temporary folder holding the given records, with the Database tab's controls at hand.
class DatabaseWindowFixture {
public:
    explicit DatabaseWindowFixture(const std::vector<FrequencyRecord>& records) {
        folder.createDatabase(records);
        state.folder = AppFolder(folder.path());
        session = std::make_unique<Session>(state, platform);
        main = startSono(*session);
        EXPECT_NE(main, nullptr);
        EXPECT_TRUE(platform.messages.isEmpty()) << platform.messageTexts().join(u'|').toStdString();
    }

    template <class W> W* control(const char* name) const {
        W* widget = main->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QListWidget* list() const { return control<QListWidget>("List1"); }
    QLineEdit* searchBox() const { return control<QLineEdit>("Text1"); }
    QCheckBox* box(int i) const {
        return control<QCheckBox>(i == 0 ? "Check1_0" : i == 1 ? "Check1_1" : "Check1_2");
    }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }
    QString caption() const { return control<QLabel>("Label2_0")->text(); }
    QString comments() const { return control<QPlainTextEdit>("Text2")->toPlainText(); }
    QString frequencies() const { return control<QPlainTextEdit>("Text3")->toPlainText(); }

    QStringList lines() const {
        QStringList result;
        for (int i = 0; i < list()->count(); ++i)
            result << list()->item(i)->text();
        return result;
    }
    // The letter item of the menu bar, whatever the case of its item name.
    void letter(const char* letterText) const {
        const QString name = QString::fromLatin1(letterText);
        QAction* item = main->menuAction(name.toLower());
        if (!item) item = main->menuAction(name.toUpper());
        ASSERT_NE(item, nullptr) << letterText;
        item->trigger();
    }
    void find(const QString& text, bool d, bool c, bool f) const {
        searchBox()->setText(text);
        box(0)->setChecked(d);
        box(1)->setChecked(c);
        box(2)->setChecked(f);
        button("Command1")->click();
    }
    void select(int k) const { list()->setCurrentRow(k); }
    bool recordButtonsEnabled() const {
        const bool send = button("Command3")->isEnabled();
        const bool edit = button("Command6")->isEnabled();
        const bool del = button("Command7")->isEnabled();
        EXPECT_TRUE(send == edit && edit == del) << "the three record buttons go together";
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
};

} // namespace sono::test
