#include "gui/shell/BackgroundWork.h"

#include <QMutexLocker>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace sono {

void BackgroundWork::Progress::say(const QString& stage) {
    QMutexLocker lock(&mutex_);
    stage_ = stage;
}

BackgroundWork::BackgroundWork() : timer_(new QTimer(this)) {
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &BackgroundWork::update);
}

BackgroundWork::~BackgroundWork() {
    cancelAndWait();
}

bool BackgroundWork::start(QWidget* over, const QString& title, std::function<void(Progress&)> work,
                           std::function<void(bool)> done) {
    if (busy()) return false;
    progress_ = std::make_unique<Progress>();
    title_ = title;
    done_ = std::move(done);

    dialog_ = new QProgressDialog(title + QStringLiteral("…"), QStringLiteral("Cancel"), 0, 0, over);
    dialog_->setObjectName(QStringLiteral("BackgroundProgress"));
    dialog_->setWindowTitle(title);
    dialog_->setAccessibleName(title);
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(0);
    connect(dialog_, &QProgressDialog::canceled, this, [this] {
        if (!progress_) return;
        progress_->cancelled_ = true;
        if (dialog_) dialog_->setLabelText(QStringLiteral("Cancelling…"));
    });

    Progress* progress = progress_.get();
    thread_ = QThread::create([progress, work = std::move(work)] { work(*progress); });
    connect(thread_, &QThread::finished, this, &BackgroundWork::finish);
    thread_->start();
    dialog_->show();
    timer_->start();
    return true;
}

void BackgroundWork::update() {
    if (!progress_) return;
    const int done = progress_->done_;
    const int total = progress_->total_;
    emit progressed(done, total);
    if (!dialog_) return;
    QString stage;
    {
        QMutexLocker lock(&progress_->mutex_);
        stage = progress_->stage_;
    }
    if (!progress_->cancelled_ && !stage.isEmpty()) dialog_->setLabelText(stage + QStringLiteral("…"));
    dialog_->setRange(0, total);
    if (total > 0) dialog_->setValue(std::min(done, total));
}

void BackgroundWork::cancelAndWait() {
    if (!thread_) return;
    progress_->cancelled_ = true;
    thread_->wait();
    finish();
}

void BackgroundWork::finish() {
    // Runs once: from the thread's end, or at once from cancelAndWait (the queued call then finds nothing).
    if (!thread_) return;
    thread_->wait();
    thread_->deleteLater();
    thread_ = nullptr;
    timer_->stop();
    update();
    delete dialog_.data(); // never from its own signal: the thread's end or a close brings us here
    const bool cancelled = progress_->cancelled_;
    const auto done = std::move(done_);
    done_ = nullptr;
    title_.clear();
    if (done) done(cancelled);
    emit finished();
}

} // namespace sono
