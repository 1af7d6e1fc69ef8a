#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The file line each setting of a record was read from, by the setting's
// key (an enum ending in Count); 0 for a setting the file did not state.
// Lines are not content: they take no part in equality, so a record edited
// back to its old values equals it again.
template <typename Key> class SettingLines {
public:
    static constexpr std::size_t kCount = static_cast<std::size_t>(Key::Count);

    std::uint32_t operator[](Key key) const { return lines_[static_cast<std::size_t>(key)]; }
    void set(Key key, std::uint32_t line) { lines_[static_cast<std::size_t>(key)] = line; }
    // A list read from several lines is placed at the first of them.
    void setFirst(Key key, std::uint32_t line) {
        if ((*this)[key] == 0)
            set(key, line);
    }
    void clear() { lines_.fill(0); }

    bool operator==(const SettingLines&) const { return true; }

private:
    std::array<std::uint32_t, kCount> lines_{};
};

// The lines of the words of a one-word-a-line list, in the list's order.
class WordLines {
public:
    void add(std::uint32_t line) { lines_.push_back(line); }
    // The line of word `index` (0-based); 0 when it was not read.
    std::uint32_t at(std::size_t index) const { return index < lines_.size() ? lines_[index] : 0; }
    void clear() { lines_.clear(); }

    bool operator==(const WordLines&) const { return true; }

private:
    std::vector<std::uint32_t> lines_;
};
