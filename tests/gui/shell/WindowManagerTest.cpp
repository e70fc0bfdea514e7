#include "gui/shell/SplashWindow.h"
#include "support/SonoHarness.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

// The X window manager's stacking order, bottom to top.
QList<WId> stackingOrder() {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    xprop.waitForFinished();
    const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
    QList<WId> ids;
    for (const QString& id : out.section(u'#', 1).split(u',', Qt::SkipEmptyParts))
        ids << id.trimmed().toULongLong(nullptr, 16);
    return ids;
}

// What a click on a window does under a window manager: it asks for that window to be activated.
void activateAsAClickWould(QWidget* window) {
    QProcess::execute(QStringLiteral("wmctrl"),
                      {QStringLiteral("-i"), QStringLiteral("-a"), QString::number(window->winId())});
}

} // namespace

// Run by tests/gui/shell/under_window_manager.sh on a virtual display with a real window manager.
TEST(WindowManager, TheRecordEditorStaysAboveTheMainWindowWhenTheMainWindowIsClicked) {
    if (!qEnvironmentVariableIsSet("SONO_WINDOW_MANAGER")) GTEST_SKIP() << "needs a window manager";
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    SonoHarness sono;
    sono.folder.createDatabase({record("beta wave", "calm", {14, 528})});
    // As a user does: the check window is up before Proceed is pressed.
    sono.session.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sono.session.splash(), 30000));
    QPushButton* proceed = child(sono.session.splash(), QStringLiteral("Command1"));
    QTRY_VERIFY_WITH_TIMEOUT(proceed->isEnabled(), 5000);
    proceed->click();
    sono.main = sono.session.mainWindow();
    ASSERT_NE(sono.main, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sono.main, 30000));
    child(sono.main, QStringLiteral("Command5"))->click();
    QWidget* editor = sono.window("Form2");
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor, 30000));
    EXPECT_FALSE(sono.main->isEnabled());

    activateAsAClickWould(sono.main);
    QTest::qWait(500);
    const QList<WId> order = stackingOrder();
    ASSERT_TRUE(order.contains(sono.main->winId()) && order.contains(editor->winId()))
        << order.size() << " windows managed";
    EXPECT_GT(order.indexOf(editor->winId()), order.indexOf(sono.main->winId()));
}
