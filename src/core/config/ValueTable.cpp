#include "ValueTable.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, 2> kYesNo{"YES", "NO"};
constexpr std::array<std::string_view, 2> kNamespace{"DOS", "LONG"};
constexpr std::array<std::string_view, 2> kSyncMode{"OVERWRITE", "REPLACE"};
constexpr std::array<std::string_view, 2> kServerThread{"SERVER", "THREAD"};
constexpr std::array<std::string_view, 4> kProtocol{"(default)", "TCP", "UDP", "IPX"};

} // namespace

std::span<const std::string_view> ValueTable::choices(ChoiceKind kind) {
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

bool ValueTable::offers(std::span<const std::string_view> words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}
