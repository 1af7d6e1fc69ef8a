#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Splits one line of a .cfg or .ini file at runs of blanks, commas, tabs, CR
// and LF: the first token upper-cased is the keyword, up to 50 more are the
// arguments as written. The views point into the line, which must outlive
// them; tokenising allocates nothing once the keyword buffer has grown.
// Arguments are split off as they are asked for, so the quoted paths at the
// end of a job line are not walked byte by byte unless a check needs them.
class LineTokenizer {
public:
    static constexpr int kMaxArgs = 50;

    // Every token of a text, without a limit.
    static void split(std::string_view text, std::vector<std::string_view>& tokens);

    // False when the line holds no token at all.
    bool tokenize(std::string_view line);

    std::string_view keyword() const { return keyword_; }
    int argCount() const {
        splitUpTo(kMaxArgs + 1);
        return argCount_;
    }
    // Whether the line held more arguments than are kept.
    bool truncated() const {
        splitUpTo(kMaxArgs + 1);
        return truncated_;
    }
    // 1-based; a missing argument reads as the empty text.
    std::string_view arg(int index) const {
        splitUpTo(index);
        return index >= 1 && index <= argCount_ ? args_[static_cast<std::size_t>(index - 1)]
                                                : std::string_view();
    }

    // Where argument `index` starts in the line, without looking for its
    // end; nullptr when there is no such argument.
    const char* argStart(int index) const;

private:
    // Splits off arguments until `count` are known or the line is used up.
    void splitUpTo(int count) const {
        while (!complete_ && argCount_ < count)
            splitNext();
    }
    void splitNext() const;

    std::string keyword_;
    std::string_view line_;
    mutable std::array<std::string_view, kMaxArgs> args_{};
    mutable std::size_t pos_ = 0;
    mutable int argCount_ = 0;
    mutable bool complete_ = true;
    mutable bool truncated_ = false;
};
