#include "SettingTable.h"

#include <numeric>

namespace {

constexpr std::array<std::string_view, 2> kYesNo{"YES", "NO"};
constexpr std::array<std::string_view, 2> kNamespace{"DOS", "LONG"};
constexpr std::array<std::string_view, 2> kSyncMode{"OVERWRITE", "REPLACE"};
constexpr std::array<std::string_view, 2> kServerThread{"SERVER", "THREAD"};
constexpr std::array<std::string_view, 4> kProtocol{"(default)", "TCP", "UDP", "IPX"};

constexpr std::size_t kCount = SettingTable::kRows.size();

// The rows by keyword, for the binary search of the reader.
constexpr std::array<std::size_t, kCount> kByKeyword = [] {
    std::array<std::size_t, kCount> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::sort(order, {}, [](std::size_t i) { return SettingTable::kRows[i].keyword; });
    return order;
}();

// Two rows of one keyword would leave the second unread.
consteval bool keywordsUnique() {
    for (std::size_t i = 1; i < kCount; ++i)
        if (SettingTable::kRows[kByKeyword[i - 1]].keyword ==
            SettingTable::kRows[kByKeyword[i]].keyword)
            return false;
    return true;
}
static_assert(keywordsUnique(), "each keyword names one setting");

} // namespace

const SettingRow* SettingTable::find(std::string_view keyword) {
    const auto it = std::ranges::lower_bound(kByKeyword, keyword, {},
                                             [](std::size_t i) { return kRows[i].keyword; });
    return it != kByKeyword.end() && kRows[*it].keyword == keyword ? &kRows[*it] : nullptr;
}

std::span<const std::string_view> SettingTable::choices(ChoiceKind kind) {
    switch (kind) {
    case ChoiceYesNo:
        return kYesNo;
    case ChoiceNamespace:
        return kNamespace;
    case ChoiceSyncMode:
        return kSyncMode;
    case ChoiceServerThread:
        return kServerThread;
    case ChoiceProtocol:
        return kProtocol;
    default:
        return {};
    }
}
