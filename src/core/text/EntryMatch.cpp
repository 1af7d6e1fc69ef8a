#include "EntryMatch.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

EntryMatch EntryMatch::match(std::span<const std::string_view> oldKeys,
                             std::span<const std::string_view> newKeys,
                             std::span<const std::string_view> oldSecond,
                             std::span<const std::string_view> newSecond) {
    EntryMatch m;
    m.oldPair_.assign(oldKeys.size(), -1);
    m.newPair_.assign(newKeys.size(), -1);
    // Lists that hold the same entries in the same order, the usual case,
    // pair without a table.
    if (std::ranges::equal(oldKeys, newKeys)) {
        for (std::size_t i = 0; i < oldKeys.size(); ++i) {
            m.oldPair_[i] = m.newPair_[i] = static_cast<int>(i);
            m.pairs_.push_back({static_cast<int>(i + 1), static_cast<int>(i + 1), true, false});
        }
        return m;
    }
    m.pairBy(oldKeys, newKeys, true);
    if (!oldSecond.empty() && !newSecond.empty())
        m.pairBy(oldSecond, newSecond, false);
    m.findMoves();
    return m;
}

void EntryMatch::pairBy(std::span<const std::string_view> oldKeys,
                        std::span<const std::string_view> newKeys, bool same) {
    std::unordered_map<std::string_view, std::deque<int>> waiting;
    for (std::size_t i = 0; i < oldKeys.size(); ++i)
        if (oldPair_[i] < 0)
            waiting[oldKeys[i]].push_back(static_cast<int>(i));
    for (std::size_t j = 0; j < newKeys.size(); ++j) {
        if (newPair_[j] >= 0)
            continue;
        const auto it = waiting.find(newKeys[j]);
        if (it == waiting.end() || it->second.empty())
            continue;
        const int i = it->second.front();
        it->second.pop_front();
        oldPair_[static_cast<std::size_t>(i)] = newPair_[j] = static_cast<int>(pairs_.size());
        pairs_.push_back({i + 1, static_cast<int>(j + 1), same, false});
    }
}

void EntryMatch::pair(int from, int to) {
    oldPair_[static_cast<std::size_t>(from - 1)] = newPair_[static_cast<std::size_t>(to - 1)] =
        static_cast<int>(pairs_.size());
    pairs_.push_back({from, to, false, false});
    findMoves();
}

// The pairs in old order whose new places do not rise with the longest
// rising run are the moved ones: the fewest that explain the new order.
void EntryMatch::findMoves() {
    std::vector<int> order;
    order.reserve(pairs_.size());
    for (int p : oldPair_)
        if (p >= 0)
            order.push_back(p);
    // Patience sorting: tails[k] ends the best run of length k + 1.
    std::vector<int> tails;
    std::vector<int> before(order.size(), -1);
    for (std::size_t n = 0; n < order.size(); ++n) {
        const int to = pairs_[static_cast<std::size_t>(order[n])].to;
        const auto at = std::lower_bound(tails.begin(), tails.end(), to, [&](int t, int value) {
            return pairs_[static_cast<std::size_t>(order[static_cast<std::size_t>(t)])].to < value;
        });
        if (at != tails.begin())
            before[n] = *(at - 1);
        if (at == tails.end())
            tails.push_back(static_cast<int>(n));
        else
            *at = static_cast<int>(n);
    }
    for (Pair& p : pairs_)
        p.moved = true;
    for (int n = tails.empty() ? -1 : tails.back(); n >= 0; n = before[static_cast<std::size_t>(n)])
        pairs_[static_cast<std::size_t>(order[static_cast<std::size_t>(n)])].moved = false;
}

std::vector<int> EntryMatch::unpaired(const std::vector<int>& pairOf) {
    std::vector<int> left;
    for (std::size_t i = 0; i < pairOf.size(); ++i)
        if (pairOf[i] < 0)
            left.push_back(static_cast<int>(i + 1));
    return left;
}
