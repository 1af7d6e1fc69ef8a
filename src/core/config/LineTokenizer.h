#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Splits one line of a .cfg or .ini file at runs of blanks, commas, tabs, CR
// and LF: the first token upper-cased is the keyword, up to 50 more are the
// arguments as written. The views point into the line, which must outlive
// them; tokenising allocates nothing once the keyword buffer has grown.
class LineTokenizer {
public:
    static constexpr int kMaxArgs = 50;

    // Every token of a text, without a limit.
    static void split(std::string_view text, std::vector<std::string_view>& tokens);

    // False when the line holds no token at all.
    bool tokenize(std::string_view line);

    std::string_view keyword() const { return keyword_; }
    int argCount() const { return argCount_; }
    // Whether the line held more arguments than are kept.
    bool truncated() const { return truncated_; }
    // 1-based; a missing argument reads as the empty text.
    std::string_view arg(int index) const {
        return index >= 1 && index <= argCount_ ? args_[static_cast<std::size_t>(index - 1)]
                                                : std::string_view();
    }

private:
    std::string keyword_;
    std::array<std::string_view, kMaxArgs> args_{};
    int argCount_ = 0;
    bool truncated_ = false;
};
