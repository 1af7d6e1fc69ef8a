#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The lines of a block that the reader did not turn into settings (the
// user's comments, unknown keywords, a setting given again), kept as they
// were read, each run before the line it stood before: its anchor. A
// record's anchors are its setting keys, the words of a one-word-a-line
// list, its opening and its closing line.
// Each kept line ends in CR LF, as the writer ends its own. An empty store
// allocates nothing.
class KeptLines {
public:
    using Anchor = std::uint16_t;
    // Whether a writer puts the kept lines back, or writes its own alone.
    enum class Form { Kept, Canonical };
    // Numbered in about the order a block is written.
    static constexpr Anchor kOpening = 0;
    static constexpr Anchor kClosing = 0xFF01;
    static constexpr Anchor kEndOfFile = 0xFF02;

    template <typename Key> static constexpr Anchor of(Key key) {
        return static_cast<Anchor>(static_cast<int>(key) + 1);
    }
    // The line of word `index` (1-based, below 0x1000) of list `key`.
    template <typename Key> static constexpr Anchor word(Key key, int index) {
        return static_cast<Anchor>(0x1000 * (static_cast<int>(key) + 1) + index);
    }
    template <typename Key> static constexpr Anchor lastWord(Key key) { return word(key, 0xFFF); }

    bool empty() const { return runs_.empty(); }
    // The run kept before `anchor`, empty when none.
    std::string_view before(Anchor anchor) const;
    // Adds `run` after what is already kept before `anchor`.
    void add(Anchor anchor, std::string_view run);
    // The runs of the anchors from `first` to `last`, in anchor order.
    std::string between(Anchor first, Anchor last) const;
    // The runs in the order of their anchors.
    const std::vector<std::pair<Anchor, std::string>>& runs() const { return runs_; }
    // How many lines the runs hold.
    int lineCount() const;
    static int lineCount(std::string_view run);

    bool operator==(const KeptLines& other) const = default;

private:
    std::vector<std::pair<Anchor, std::string>>::const_iterator find(Anchor anchor) const;

    std::vector<std::pair<Anchor, std::string>> runs_;
};
