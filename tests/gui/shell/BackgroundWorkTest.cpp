#include "support/SonoHarness.h"

#include <QProgressDialog>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

using namespace sono;
using namespace sono::test;

namespace {

// Work that runs until it is cancelled, as a repair of a very large database would.
void untilCancelled(BackgroundWork::Progress& progress) {
    while (!progress.cancelled())
        QThread::msleep(1);
}

} // namespace

TEST(BackgroundWork, FinishesOnItsThreadReportsProgressAndStopsOnCancel) {
    QList<bool> done; // outlives the work, whose end writes it
    WindowServices fixture;
    BackgroundWork& work = fixture.work;
    QSignalSpy progressed(&work, &BackgroundWork::progressed);
    QSignalSpy finished(&work, &BackgroundWork::finished);
    const Qt::HANDLE gui = QThread::currentThreadId();
    Qt::HANDLE ranOn = gui;
    ASSERT_TRUE(work.start(
        &fixture.owner, QStringLiteral("Counting"),
        [&](BackgroundWork::Progress& p) {
            ranOn = QThread::currentThreadId();
            p.set(3, 3);
        },
        [&](bool cancelled) { done << cancelled; }));
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_NE(ranOn, gui);
    EXPECT_EQ(done, QList<bool>({false}));
    EXPECT_EQ(progressed.value(progressed.size() - 1), QVariantList({3, 3}));

    ASSERT_TRUE(work.start(&fixture.owner, QStringLiteral("Waiting"), untilCancelled,
                           [&](bool cancelled) { done << cancelled; }));
    EXPECT_FALSE(work.start(&fixture.owner, QStringLiteral("Second"), untilCancelled, nullptr));
    auto* dialog = child<QProgressDialog>(&fixture.owner, QStringLiteral("BackgroundProgress"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
    dialog->findChild<QPushButton*>()->click(); // Cancel
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_EQ(done, QList<bool>({false, true}));
    EXPECT_FALSE(work.busy());
}

// The main window cannot close under the work: it asks, keeps running on Cancel, and on OK stops the
// work and waits for it before anything is closed.
TEST(BackgroundWork, ClosingTheMainWindowAsksThenStopsTheWorkAndWaits) {
    bool storeOpenWhenDone = false;
    QList<bool> done;
    SonoHarness sono;
    sono.folder.createDatabase({record("beta wave", "calm", {14, 528})});
    ASSERT_NE(sono.start(), nullptr);
    BackgroundWork& work = sono.main->services().work;
    ASSERT_TRUE(work.start(sono.main, QStringLiteral("Repair and Compact Database"), untilCancelled,
                           [&](bool cancelled) {
                               done << cancelled;
                               storeOpenWhenDone = sono.state.database.isOpen();
                           }));
    sono.platform.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(sono.main->close());
    EXPECT_TRUE(work.busy());
    EXPECT_TRUE(done.isEmpty());
    ASSERT_EQ(sono.platform.messages.size(), 1);
    EXPECT_EQ(sono.platform.messages[0].text,
              "Sono is still busy with Repair and Compact Database.\n\nStop it and close Sono?");

    sono.platform.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(sono.main->close());
    EXPECT_FALSE(work.busy());
    EXPECT_EQ(done, QList<bool>({true}));
    EXPECT_TRUE(storeOpenWhenDone);
}
