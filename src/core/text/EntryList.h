#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A 1-based, dense, ordered list with the fixed capacity of the configuration
// and task-file formats. Storage grows with the entries actually held. An
// entry read from a file keeps the number of its line beside it (0 for one
// made in the editor); the numbers are not content and take no part in
// equality, and a list that never had one holds none. Lines the reader kept
// before an entry (see KeptLines) travel with it; they are content.
template <typename T> class EntryList {
public:
    using value_type = T;
    static constexpr int kCapacity = 999;

    int count() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    bool full() const { return count() >= kCapacity; }
    bool validIndex(int index) const { return index >= 1 && index <= count(); }

    T& at(int index) { return entries_[static_cast<std::size_t>(index - 1)]; }
    const T& at(int index) const { return entries_[static_cast<std::size_t>(index - 1)]; }
    T& last() { return entries_.back(); }
    const T& last() const { return entries_.back(); }

    // Appends at count + 1; refused (false) when the list is full.
    bool append(T value, std::uint32_t line = 0) {
        if (full())
            return false;
        if (line != 0 || !lines_.empty()) {
            lines_.resize(entries_.size());
            lines_.push_back(line);
        }
        entries_.push_back(std::move(value));
        return true;
    }

    // The 1-based line entry `index` was read from; 0 when it was not.
    std::uint32_t line(int index) const {
        const auto at = static_cast<std::size_t>(index - 1);
        return index >= 1 && at < lines_.size() ? lines_[at] : 0;
    }

    // Inserts after entry `index` (0 inserts at the front), read from `line`
    // (0 for none); refused when full or when the position does not exist.
    bool insertAfter(int index, T value, std::uint32_t line = 0) {
        if (full() || index < 0 || index > count())
            return false;
        entries_.insert(entries_.begin() + index, std::move(value));
        if (line != 0 || !lines_.empty()) {
            lines_.resize(entries_.size() - 1);
            lines_.insert(lines_.begin() + index, line);
        }
        if (!kept_.empty()) {
            kept_.resize(entries_.size() - 1);
            kept_.insert(kept_.begin() + index, std::string());
        }
        return true;
    }

    // Takes the lines of a list that holds the same entries as they were
    // written; a list of another length leaves none.
    void copyLines(const EntryList& written) {
        lines_.clear();
        if (written.count() == count())
            lines_ = written.lines_;
    }
    void clearLines() { lines_.clear(); }

    // The lines kept before entry `index`; empty when none.
    std::string_view kept(int index) const {
        const auto at = static_cast<std::size_t>(index - 1);
        return index >= 1 && at < kept_.size() ? std::string_view(kept_[at]) : std::string_view();
    }
    void setKept(int index, std::string run) {
        if (!validIndex(index) || (run.empty() && kept_.empty()))
            return;
        kept_.resize(entries_.size());
        kept_[static_cast<std::size_t>(index - 1)] = std::move(run);
    }
    std::string takeKept(int index) {
        std::string run(kept(index));
        setKept(index, {});
        return run;
    }

    // Removes entry `index`; later entries move down one place.
    bool remove(int index) {
        if (!validIndex(index))
            return false;
        entries_.erase(entries_.begin() + (index - 1));
        if (!lines_.empty()) {
            lines_.resize(entries_.size() + 1);
            lines_.erase(lines_.begin() + (index - 1));
        }
        if (!kept_.empty()) {
            kept_.resize(entries_.size() + 1);
            kept_.erase(kept_.begin() + (index - 1));
        }
        return true;
    }

    // Moves entry `from` to position `to`; the entries in between shift by one.
    bool move(int from, int to) {
        if (!validIndex(from) || !validIndex(to))
            return false;
        rotate(entries_, from, to);
        if (!lines_.empty()) {
            lines_.resize(entries_.size());
            rotate(lines_, from, to);
        }
        if (!kept_.empty()) {
            kept_.resize(entries_.size());
            rotate(kept_, from, to);
        }
        return true;
    }

    // Gives back the room growing by doubling left unused, when it is more
    // than an eighth: a list read whole will mostly not grow again.
    void fit() {
        if (entries_.capacity() - entries_.size() > entries_.size() / 8) {
            entries_.shrink_to_fit();
            lines_.shrink_to_fit();
        }
    }

    void clear() {
        entries_.clear();
        lines_.clear();
        kept_.clear();
    }

    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    bool operator==(const EntryList& other) const {
        if (entries_ != other.entries_)
            return false;
        for (int i = 1; i <= count(); ++i)
            if (kept(i) != other.kept(i))
                return false;
        return true;
    }

private:
    template <typename V> static void rotate(std::vector<V>& v, int from, int to) {
        auto first = v.begin();
        if (from < to)
            std::rotate(first + (from - 1), first + from, first + to);
        else if (from > to)
            std::rotate(first + (to - 1), first + (from - 1), first + from);
    }

    std::vector<T> entries_;
    std::vector<std::uint32_t> lines_;
    std::vector<std::string> kept_;
};
