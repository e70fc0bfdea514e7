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
#include <array>
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

    template <class W> W* control(const QString& name) const {
        W* widget = main->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QListWidget* list() const { return control<QListWidget>("List1"); }
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
    QStringList lines() const {
        QStringList result;
        for (int i = 0; i < list()->count(); ++i)
            result << list()->item(i)->text();
        return result;
    }
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
    void select(int k) const { list()->setCurrentRow(k); }
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
};

} // namespace sono::test
