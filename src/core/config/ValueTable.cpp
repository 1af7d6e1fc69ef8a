#include "ValueTable.h"

#include <algorithm>

bool ValueTable::offers(std::span<const std::string_view> words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}
