#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Pairs the entries of two versions of a list: first those of equal key
// (the n-th of a key with the n-th), then, among the rest, those of equal
// second key. Entries outside the longest run kept in order are moved.
class EntryMatch {
public:
    struct Pair {
        // 1-based on each side.
        int from = 0;
        int to = 0;
        // Paired by the first key.
        bool same = false;
        bool moved = false;
    };

    static EntryMatch match(std::span<const std::string_view> oldKeys,
                            std::span<const std::string_view> newKeys,
                            std::span<const std::string_view> oldSecond = {},
                            std::span<const std::string_view> newSecond = {});

    // Pairs an old and a new entry left over, and finds the moves again.
    void pair(int from, int to);

    const std::vector<Pair>& pairs() const { return pairs_; }
    // The entries of each side that no pair holds, in list order.
    std::vector<int> removed() const { return unpaired(oldPair_); }
    std::vector<int> added() const { return unpaired(newPair_); }

private:
    void pairBy(std::span<const std::string_view> oldKeys,
                std::span<const std::string_view> newKeys, bool same);
    void findMoves();
    static std::vector<int> unpaired(const std::vector<int>& pairOf);

    std::vector<Pair> pairs_;
    // The pair of each entry, or -1.
    std::vector<int> oldPair_;
    std::vector<int> newPair_;
};
