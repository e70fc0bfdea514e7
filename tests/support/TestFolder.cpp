#include "support/TestFolder.h"

#include "gui/shell/Session.h"
#include "gui/shell/SplashWindow.h"

#include <QDir>
#include <QPushButton>

namespace sono::test {

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
