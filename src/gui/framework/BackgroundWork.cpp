#include "BackgroundWork.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <future>

namespace {

constexpr int kPollMs = 15;
// Most reads and saves end long before anyone could notice: no event is
// handled for them, as if they ran on the window's thread.
constexpr auto kUnnoticed = std::chrono::milliseconds(50);

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

QString megabytes(std::uint64_t bytes) {
    return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1);
}

} // namespace

BackgroundWork::BackgroundWork(QWidget* window, std::uint64_t total)
    : window_(window), total_(total) {}

BackgroundWork::~BackgroundWork() {
    delete bar_;
    delete cancel_;
}

bool BackgroundWork::run(const std::function<void(Progress& progress)>& work) {
    ++running_;
    clock_.start();
    std::atomic<bool> ended{false};
    Progress progress([this](std::uint64_t done) {
        done_ = done;
        return !cancelled_;
    });
    std::future<void> thread = std::async(std::launch::async, [&] {
        work(progress);
        ended = true;
    });
    if (thread.wait_for(kUnnoticed) != std::future_status::ready) {
        waitFor(ended, true);
        if (!ended) {
            showProgress();
            qApp->installEventFilter(this);
            waitFor(ended, false);
            qApp->removeEventFilter(this);
        }
    }
    thread.wait();
    --running_;
    return !cancelled_;
}

void BackgroundWork::waitFor(const std::atomic<bool>& ended, bool quietly) {
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ended || (quietly && clock_.elapsed() >= quietMs_))
            loop.quit();
        else
            updateProgress();
    });
    poll.start(kPollMs);
    loop.exec(quietly ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}

void BackgroundWork::showProgress() {
    auto* main = qobject_cast<QMainWindow*>(window_);
    if (main == nullptr)
        return;
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("workProgress"));
    bar_->setMaximumWidth(260);
    // Megabytes keep the count inside the bar's int.
    bar_->setRange(0, total_ > 0 ? static_cast<int>(total_ >> 20) + 1 : 0);
    cancel_ = new QPushButton(tr("Cancel"));
    cancel_->setObjectName(QStringLiteral("workCancel"));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancelled_ = true;
        cancel_->setEnabled(false);
    });
    main->statusBar()->addPermanentWidget(bar_);
    main->statusBar()->addPermanentWidget(cancel_);
    bar_->show();
    cancel_->show();
    updateProgress();
}

void BackgroundWork::updateProgress() {
    if (bar_ == nullptr)
        return;
    const std::uint64_t done = done_;
    if (total_ > 0) {
        bar_->setValue(static_cast<int>(std::min(done, total_) >> 20));
        bar_->setFormat(
            tr("%1 of %2 MB").arg(megabytes(std::min(done, total_)), megabytes(total_)));
    } else {
        bar_->setFormat(tr("%1 MB").arg(megabytes(done)));
    }
}

bool BackgroundWork::isCancelButton(const QObject* object) const {
    return cancel_ != nullptr && object == cancel_.data();
}

bool BackgroundWork::eventFilter(QObject* watched, QEvent* event) {
    // Shortcuts go to actions, not widgets; closing a window would take the
    // document from under the work.
    const bool closing = event->type() == QEvent::Close &&
                         (watched == window_ || watched->inherits("QMdiSubWindow"));
    if (event->type() == QEvent::Shortcut || closing) {
        event->ignore();
        return true;
    }
    // A window hands its input on to its widgets: only those are held off.
    if (!watched->isWidgetType() || !isInput(event->type()) || isCancelButton(watched))
        return false;
    return true;
}
