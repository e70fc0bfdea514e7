#include "support/TestFolder.h"

#include "app/SplashWindow.h"
#include "ui/MainWindow.h"
#include "ui/Session.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace sono::test {

FrequencyRecord record(const QString& description, std::optional<QString> comments,
                       const std::vector<double>& frequencies) {
    FrequencyRecord r;
    r.Description = description;
    r.Comments = std::move(comments);
    for (size_t i = 0; i < 40; ++i)
        r.F[i] = i < frequencies.size() ? frequencies[i] : 0.0;
    return r;
}

void createDatabase(const QString& path, const std::vector<FrequencyRecord>& records) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    QByteArray schema = "CREATE TABLE Main (Description TEXT, Comments TEXT NULL";
    for (int slot = 1; slot <= 40; ++slot)
        schema += ", F" + QByteArray::number(slot) + " REAL DEFAULT 0";
    schema += ")";
    ASSERT_EQ(sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    FrequencyStore store;
    ASSERT_TRUE(store.open(path).has_value());
    ASSERT_EQ(sqlite3_exec(store.handle(), "BEGIN", nullptr, nullptr, nullptr), SQLITE_OK);
    for (const FrequencyRecord& r : records)
        ASSERT_TRUE(store.addRecord(r).has_value());
    ASSERT_EQ(sqlite3_exec(store.handle(), "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
}

TestFolder::TestFolder() {
    EXPECT_TRUE(dir_.isValid());
}

void TestFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray TestFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool TestFolder::exists(const QString& name) const {
    return QFile::exists(file(name));
}

void TestFolder::createDatabase(const std::vector<FrequencyRecord>& records) const {
    test::createDatabase(file(QStringLiteral("freqs.mdb")), records);
}

void TestFolder::installHelpPages() const {
    const QDir help(QStringLiteral(SONO_TEST_SOURCE_DIR "/data/help"));
    const QStringList pages = help.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages)
        ASSERT_TRUE(QFile::copy(help.filePath(page), file(page)));
}

MainWindow* startSono(Session& session) {
    session.start();
    SplashWindow* splash = session.splash();
    if (!splash) return nullptr;
    auto* button = splash->findChild<QPushButton*>(QStringLiteral("Command1"));
    button->setEnabled(true); // the 600 ms timer has its own test
    button->click();
    return session.mainWindow();
}

} // namespace sono::test
