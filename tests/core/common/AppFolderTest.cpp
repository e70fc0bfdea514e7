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
        put(root.filePath("bin/sono"), "");
        put(root.filePath("share/sono/freqs.mdb"), "starter");
        put(root.filePath("share/sono/intro.rtf"), "{\\rtf1 help}");
        QFile::setPermissions(root.filePath("share/sono/freqs.mdb"), QFile::ReadOwner | QFile::ReadOther);
        QDir().mkpath(root.filePath("home"));
        places = {root.filePath("bin"), root.filePath("share/sono"), {}, {}, root.filePath("home")};
    }
    QTemporaryDir root;
    FolderPlaces places;
};

} // namespace

TEST(AppFolderChoice, AWritableProgramFolderHoldingADatabaseStaysTheFolder) {
    Places p;
    put(p.root.filePath("bin/FREQS.MDB"), "mine");
    p.places.xdgDataHome = p.root.filePath("xdg");
    const auto folder = chooseAppFolder(p.places);
    ASSERT_TRUE(folder) << folder.error().toStdString();
    EXPECT_EQ(folder->path(), p.root.filePath("bin"));
    EXPECT_EQ(folder->programFolder(), p.root.filePath("bin"));
    EXPECT_FALSE(folder->isNew());
    EXPECT_FALSE(QFileInfo::exists(p.root.filePath("xdg")));
}

TEST(AppFolderChoice, AnInstalledSonoMakesTheUserFolderOnceWithAWritableStarterDatabase) {
    Places p;
    p.places.xdgDataHome = p.root.filePath("xdg/");
    const auto first = chooseAppFolder(p.places);
    ASSERT_TRUE(first) << first.error().toStdString();
    const QString user = p.root.filePath("xdg/sono");
    EXPECT_EQ(first->path(), user);
    EXPECT_EQ(first->programFolder(), p.root.filePath("bin"));
    EXPECT_TRUE(first->isNew());
    EXPECT_EQ(get(user + "/freqs.mdb"), "starter");
    EXPECT_TRUE(QFile::permissions(user + "/freqs.mdb") & QFile::WriteOwner);
    // Help pages are read where they were installed; everything else belongs to the user folder.
    EXPECT_EQ(first->filePath("Intro.rtf"), p.root.filePath("share/sono/intro.rtf"));
    EXPECT_EQ(first->filePath("sono.ini"), user + "/sono.ini");
    EXPECT_TRUE(first->exists("INTRO.rtf"));
    EXPECT_FALSE(first->exists("dorv.rtf"));

    put(user + "/freqs.mdb", "the user's sets");
    put(user + "/intro.rtf", "own page");
    const auto again = chooseAppFolder(p.places);
    ASSERT_TRUE(again);
    EXPECT_FALSE(again->isNew());
    EXPECT_EQ(get(user + "/freqs.mdb"), "the user's sets");
    EXPECT_EQ(again->filePath("intro.rtf"), user + "/intro.rtf");
}

TEST(AppFolderChoice, WithoutXdgDataHomeTheFolderIsUnderHomeAndDataDirWinsOverAll) {
    Places p;
    p.places.xdgDataHome = QStringLiteral("relative/ignored");
    const auto home = chooseAppFolder(p.places);
    ASSERT_TRUE(home);
    EXPECT_EQ(home->path(), p.root.filePath("home/.local/share/sono"));

    put(p.root.filePath("bin/freqs.mdb"), "portable");
    QDir::setCurrent(p.root.path());
    p.places.dataDir = QStringLiteral("chosen/");
    const auto chosen = chooseAppFolder(p.places);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path(), p.root.filePath("chosen"));
    EXPECT_EQ(get(p.root.filePath("chosen/freqs.mdb")), "starter");
}

TEST(AppFolderChoice, ABuildFolderWithoutItsDatabaseSeedsFromItselfAndFailuresAreMessages) {
    Places p;
    put(p.root.filePath("build/app/database.rtf"), "page");
    p.places.programFolder = p.root.filePath("build/app");
    p.places.sharedFolder = p.root.filePath("build/share/sono"); // not there in a build folder
    p.places.dataDir = p.root.filePath("d");
    const auto noStarter = chooseAppFolder(p.places);
    ASSERT_TRUE(noStarter);
    EXPECT_FALSE(noStarter->isNew());
    EXPECT_FALSE(noStarter->exists("freqs.mdb"));
    EXPECT_TRUE(noStarter->exists("database.rtf"));

    put(p.root.filePath("file"), "x");
    p.places.dataDir = p.root.filePath("file/sub");
    const auto blocked = chooseAppFolder(p.places);
    ASSERT_FALSE(blocked);
    EXPECT_EQ(blocked.error(), "Cannot create the data folder " + p.root.filePath("file/sub") + ".");
    p.places.dataDir.clear();
    p.places.home.clear();
    EXPECT_FALSE(chooseAppFolder(p.places).has_value());
}
