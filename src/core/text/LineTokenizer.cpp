#include "LineTokenizer.h"

#include "TextUtil.h"

#include <array>

namespace {

constexpr std::array<bool, 256> kDelimiters = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {' ', ',', '\t', '\r', '\n'})
        table[c] = true;
    return table;
}();

bool isDelimiter(char c) {
    return kDelimiters[static_cast<unsigned char>(c)];
}

// The next token at or after `pos`, or an empty view at the end of the line.
std::string_view nextToken(std::string_view line, std::size_t& pos) {
    const char* const data = line.data();
    const std::size_t size = line.size();
    std::size_t at = pos;
    while (at < size && isDelimiter(data[at]))
        ++at;
    const std::size_t begin = at;
    while (at < size && !isDelimiter(data[at]))
        ++at;
    pos = at;
    return std::string_view(data + begin, at - begin);
}

} // namespace
bool LineTokenizer::tokenize(std::string_view line) {
    line_ = line;
    pos_ = 0;
    keyword_.assign(nextToken(line, pos_));
    TextUtil::upperInPlace(keyword_);
    argCount_ = 0;
    complete_ = false;
    truncated_ = false;
    return !keyword_.empty();
}

void LineTokenizer::splitNext() const {
    const std::string_view token = nextToken(line_, pos_);
    if (token.empty()) {
        complete_ = true;
    } else if (argCount_ == kMaxArgs) {
        truncated_ = true;
        complete_ = true;
    } else {
        args_[static_cast<std::size_t>(argCount_++)] = token;
    }
}

const char* LineTokenizer::argStart(int index) const {
    splitUpTo(index - 1);
    if (index <= argCount_)
        return index >= 1 ? args_[static_cast<std::size_t>(index - 1)].data() : nullptr;
    if (complete_ || argCount_ < index - 1 || index > kMaxArgs)
        return nullptr;
    std::size_t at = pos_;
    while (at < line_.size() && isDelimiter(line_[at]))
        ++at;
    return at < line_.size() ? line_.data() + at : nullptr;
}

void LineTokenizer::split(std::string_view text, std::vector<std::string_view>& tokens) {
    tokens.clear();
    std::size_t pos = 0;
    for (std::string_view token = nextToken(text, pos); !token.empty();
         token = nextToken(text, pos))
        tokens.push_back(token);
}
