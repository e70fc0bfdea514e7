#include "core/common/AppFolder.h"
#include "core/common/QuotedFields.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sono;

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(writeWholeFile(path, bytes));
}

QByteArray get(const QString& path) {
    return readWholeFile(path).value_or("(missing)");
}

// A program folder, an installed share folder with a read-only starter database and a help page, and
// an empty home.
struct Places {
    Places() {
        put(at("bin/sono"), "");
        put(at("share/sono/freqs.mdb"), "starter");
        put(at("share/sono/intro.rtf"), "{\\rtf1 help}");
        QFile::setPermissions(at("share/sono/freqs.mdb"), QFile::ReadOwner | QFile::ReadOther);
        QDir().mkpath(at("home"));
    }
    QString at(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
    // The folder chosen, or the message.
    QString choose() const {
        const auto folder = chooseAppFolder(places);
        return folder ? folder->path() : folder.error();
    }
    QTemporaryDir root;
    FolderPlaces places{at("bin"), at("share/sono"), {}, {}, at("home")};
};

} // namespace

TEST(AppFolderChoice, HomeThenAProgramFolderHoldingADatabaseThenDataDirAndFailuresAsMessages) {
    Places p;
    p.places.xdgDataHome = QStringLiteral("relative/ignored");
    EXPECT_EQ(p.choose(), p.at("home/.local/share/sono"));

    put(p.at("bin/FREQS.MDB"), "mine");
    p.places.xdgDataHome = p.at("xdg");
    EXPECT_EQ(p.choose(), p.at("bin"));
    EXPECT_FALSE(QFileInfo::exists(p.at("xdg")));

    QDir::setCurrent(p.root.path());
    p.places.dataDir = QStringLiteral("chosen/");
    EXPECT_EQ(p.choose(), p.at("chosen"));
    EXPECT_EQ(get(p.at("chosen/freqs.mdb")), "starter");

    // A build folder without its database seeds from itself; failures are messages.
    put(p.at("build/app/database.rtf"), "page");
    p.places = {p.at("build/app"), p.at("build/share/sono"), p.at("d"), {}, p.at("home")};
    const AppFolder noStarter = chooseAppFolder(p.places).value();
    EXPECT_TRUE(!noStarter.isNew() && !noStarter.exists("freqs.mdb") && noStarter.exists("database.rtf"));

    put(p.at("file"), "x");
    p.places.dataDir = p.at("file/sub");
    EXPECT_EQ(p.choose(), "Cannot create the data folder " + p.at("file/sub") + ".");
    p.places.dataDir.clear();
    p.places.home.clear();
    EXPECT_FALSE(chooseAppFolder(p.places).has_value());
}

TEST(AppFolderChoice, AnInstalledSonoMakesTheUserFolderOnceWithAWritableStarterDatabase) {
    Places p;
    p.places.xdgDataHome = p.at("xdg/");
    const AppFolder first = chooseAppFolder(p.places).value();
    const QString user = p.at("xdg/sono");
    EXPECT_TRUE(first.path() == user && first.programFolder() == p.at("bin") && first.isNew());
    EXPECT_EQ(get(user + "/freqs.mdb"), "starter");
    EXPECT_TRUE(QFile::permissions(user + "/freqs.mdb") & QFile::WriteOwner);
    // Help pages are read where they were installed; everything else belongs to the user folder.
    EXPECT_EQ(first.filePath("Intro.rtf"), p.at("share/sono/intro.rtf"));
    EXPECT_EQ(first.filePath("sono.ini"), user + "/sono.ini");
    EXPECT_TRUE(first.exists("INTRO.rtf") && !first.exists("dorv.rtf"));

    put(user + "/freqs.mdb", "the user's sets");
    put(user + "/intro.rtf", "own page");
    const AppFolder again = chooseAppFolder(p.places).value();
    EXPECT_FALSE(again.isNew());
    EXPECT_EQ(get(user + "/freqs.mdb"), "the user's sets");
    EXPECT_EQ(again.filePath("intro.rtf"), user + "/intro.rtf");
}
