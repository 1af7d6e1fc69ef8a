#pragma once

#include <cstdint>
#include <functional>
#include <utility>

// Counts the bytes a long read or write has done and, once every step of
// bytes, tells its caller, who may stop the work there: a window shows the
// count and offers Cancel. Counting costs an addition and a comparison.
class Progress {
public:
    // The bytes done so far; false stops the work.
    using Callback = std::function<bool(std::uint64_t done)>;
    static constexpr std::uint64_t kStep = std::uint64_t(256) << 10;

    explicit Progress(Callback callback, std::uint64_t step = kStep)
        : callback_(std::move(callback)), step_(step), next_(step) {}

    // Adds `bytes` to the count; false once the work is to stop.
    bool advance(std::uint64_t bytes) {
        done_ += bytes;
        if (done_ >= next_)
            ask();
        return !stopped_;
    }
    bool stopped() const { return stopped_; }
    std::uint64_t done() const { return done_; }

private:
    void ask();

    Callback callback_;
    std::uint64_t step_;
    std::uint64_t next_;
    std::uint64_t done_ = 0;
    bool stopped_ = false;
};
