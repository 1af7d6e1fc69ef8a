#include "TaskFileTable.h"

#include "text/TextUtil.h"

#include <algorithm>

namespace {

// `of` finds a setting at its key's place.
constexpr bool inKeyOrder() {
    for (std::size_t i = 0; i < TaskFileTable::kSettings.size(); ++i)
        if (static_cast<std::size_t>(TaskFileTable::kSettings[i].key) != i)
            return false;
    return true;
}
static_assert(inKeyOrder());

} // namespace

const TaskFileSetting* TaskFileTable::withKeyword(std::string_view upper) {
    // The tokeniser upper-cases a line's keyword; the table is upper-cased
    // once to meet it.
    static const auto kUpper = [] {
        std::array<std::string, kSettings.size()> keywords;
        for (std::size_t i = 0; i < kSettings.size(); ++i)
            keywords[i] = TextUtil::upper(kSettings[i].keyword);
        return keywords;
    }();
    const auto it = std::find(kUpper.begin(), kUpper.end(), upper);
    return it != kUpper.end() ? &kSettings[static_cast<std::size_t>(it - kUpper.begin())] : nullptr;
}
