#include "FolderListing.h"

#include <QPromise>
#include <exception>
#include <thread>
#include <utility>

namespace {

FolderRows run(const FolderListing::Job& job) {
    try {
        return job();
    } catch (const std::exception& error) {
        FolderRows failed;
        failed.error = QString::fromUtf8(error.what());
        return failed;
    }
}

} // namespace

FolderListing::FolderListing(Job job, std::chrono::milliseconds limit,
                             std::function<void(FolderRows)> done, std::function<void()> abandoned,
                             QObject* parent)
    : QObject(parent), done_(std::move(done)), abandoned_(std::move(abandoned)) {
    QPromise<FolderRows> promise;
    watcher_.setFuture(promise.future());
    connect(&watcher_, &QFutureWatcher<FolderRows>::finished, this, &FolderListing::finish);
    limit_.setSingleShot(true);
    connect(&limit_, &QTimer::timeout, this, &FolderListing::giveUp);
    limit_.start(limit);
    // Detached, never joined: joining would hold the window as long as the
    // listing blocks. The promise and the job are the thread's own.
    std::thread([promise = std::move(promise), job = std::move(job)]() mutable {
        promise.start();
        promise.addResult(run(job));
        promise.finish();
    }).detach();
}

void FolderListing::finish() {
    limit_.stop();
    const FolderRows rows = watcher_.future().result();
    done_(rows);
    deleteLater();
}

void FolderListing::giveUp() {
    watcher_.disconnect(this);
    abandoned_();
    deleteLater();
}
