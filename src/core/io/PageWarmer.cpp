#include "PageWarmer.h"

#include <sys/mman.h>

#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace {

#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23; // Linux 5.14
#endif

struct Range {
    void* at;
    std::size_t size;
};

// The thread and its queue live as long as the process: a thread still
// waiting at exit must not see its queue destroyed.
class Warmer {
public:
    void add(Range range) {
        {
            const std::lock_guard lock(mutex_);
            if (!supported_)
                return;
            if (!started_) {
                std::thread([this] { run(); }).detach();
                started_ = true;
            }
            queue_.push_back(range);
        }
        wake_.notify_all();
    }

    void settle() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return queue_.empty() && !busy_; });
    }

private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return !queue_.empty(); });
            const Range range = queue_.front();
            queue_.pop_front();
            busy_ = true;
            lock.unlock();
            const int result = ::madvise(range.at, range.size, MADV_POPULATE_WRITE);
            const bool unknown = result != 0 && errno == EINVAL;
            lock.lock();
            // A kernel without it says so at once: stop asking.
            if (unknown) {
                supported_ = false;
                queue_.clear();
            }
            busy_ = false;
            wake_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Range> queue_;
    bool busy_ = false;
    bool started_ = false;
    bool supported_ = true;
};

Warmer& warmer() {
    static Warmer* const instance = new Warmer;
    return *instance;
}

} // namespace

void PageWarmer::warm(void* at, std::size_t size) {
    if (size != 0)
        warmer().add({at, size});
}

void PageWarmer::settle() {
    warmer().settle();
}
