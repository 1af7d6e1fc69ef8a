#include "LineKeeper.h"

#include <utility>

void LineKeeper::reset() {
    run_.clear();
    kept_ = 0;
    count_ = 0;
}

void LineKeeper::append(std::string_view line) {
    // The writer's line end, whatever the file used.
    run_.append(line).append("\r\n");
}

void LineKeeper::blank(std::string_view line) {
    if (kept_ > 0)
        append(line);
}

void LineKeeper::keep(std::string_view line) {
    append(line);
    // Blank lines held so far lie between kept lines: they are kept too.
    count_ += KeptLines::lineCount(std::string_view(run_).substr(kept_));
    kept_ = run_.size();
}

std::string LineKeeper::take() {
    if (kept_ == 0) {
        run_.clear();
        return {};
    }
    run_.resize(kept_);
    kept_ = 0;
    std::string run = std::move(run_);
    run_.clear();
    return run;
}

void LineKeeper::attach(KeptLines& kept, KeptLines::Anchor anchor) {
    if (kept_ == 0) {
        run_.clear();
        return;
    }
    run_.resize(kept_);
    kept.add(anchor, run_);
    run_.clear();
    kept_ = 0;
}

int LineKeeper::setting(KeptLines& kept, Scope scope, KeptLines::Anchor anchor,
                        std::string_view line, int number, bool replaces) {
    std::vector<Earlier>& earlier = earlier_[static_cast<std::size_t>(scope)];
    if (earlier.size() <= anchor)
        earlier.resize(static_cast<std::size_t>(anchor) + 1);
    Earlier& last = earlier[anchor];
    const int wasDropped = replaces && last.dropped ? last.line : 0;
    if (replaces) {
        // The earlier line follows what was kept before it, in place: a
        // setting given a thousand times costs no more than once each.
        last.text.append("\r\n");
        kept.add(anchor, last.text);
        ++count_;
    }
    attach(kept, anchor);
    last.text.assign(line);
    last.line = number;
    last.dropped = false;
    last_ = &last;
    return wasDropped;
}
