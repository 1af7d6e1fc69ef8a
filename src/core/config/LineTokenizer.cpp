#include "LineTokenizer.h"

#include "TextUtil.h"

namespace {

bool isDelimiter(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
}

// The next token at or after `pos`, or an empty view at the end of the line.
std::string_view nextToken(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && isDelimiter(line[pos]))
        ++pos;
    const std::size_t begin = pos;
    while (pos < line.size() && !isDelimiter(line[pos]))
        ++pos;
    return line.substr(begin, pos - begin);
}

} // namespace

bool LineTokenizer::tokenize(std::string_view line) {
    std::size_t pos = 0;
    keyword_.assign(nextToken(line, pos));
    TextUtil::upperInPlace(keyword_);
    argCount_ = 0;
    truncated_ = false;
    for (std::string_view token = nextToken(line, pos); !token.empty();
         token = nextToken(line, pos)) {
        if (argCount_ == kMaxArgs) {
            truncated_ = true;
            break;
        }
        args_[static_cast<std::size_t>(argCount_++)] = token;
    }
    return !keyword_.empty();
}

void LineTokenizer::split(std::string_view text, std::vector<std::string_view>& tokens) {
    tokens.clear();
    std::size_t pos = 0;
    for (std::string_view token = nextToken(text, pos); !token.empty();
         token = nextToken(text, pos))
        tokens.push_back(token);
}
