#pragma once

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QProgressDialog;
class QThread;
class QTimer;
class QWidget;

namespace sono {

// Long database work (Repair, Print Results) runs on a thread of its own while a window-modal progress
// window with Cancel shows how far it got, so Sono's windows keep drawing and nothing re-enters them.
// One piece of work at a time; the main window asks before it closes under it.
class BackgroundWork : public QObject {
    Q_OBJECT
public:
    // What the work sees from its thread.
    class Progress {
    public:
        bool cancelled() const { return cancelled_; }
        void set(int done, int total) {
            done_ = done;
            total_ = total;
        }
        void say(const QString& stage);

    private:
        friend class BackgroundWork;
        std::atomic<bool> cancelled_ = false;
        std::atomic<int> done_ = 0;
        std::atomic<int> total_ = 0;
        QMutex mutex_;
        QString stage_;
    };

    BackgroundWork();
    ~BackgroundWork() override;

    bool busy() const { return thread_ != nullptr; }
    // The title of the running work ("Repair and Compact Database").
    const QString& what() const { return title_; }

    // Runs `work` on its own thread with a progress window over `over`; afterwards `done(cancelled)`
    // runs on this thread. False, and nothing runs, when other work is still going.
    bool start(QWidget* over, const QString& title, std::function<void(Progress&)> work,
               std::function<void(bool cancelled)> done);
    // Cancels the running work, waits for its thread and runs its `done` at once.
    void cancelAndWait();

signals:
    // From the progress window's timer, for a window that shows progress of its own.
    void progressed(int done, int total);
    // After `done` has run.
    void finished();

private:
    void update();
    void finish();

    std::unique_ptr<Progress> progress_;
    QThread* thread_ = nullptr;
    QPointer<QProgressDialog> dialog_;
    QTimer* timer_;
    std::function<void(bool)> done_;
    QString title_;
};

} // namespace sono
