#pragma once

#include <cstddef>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

// The comment lines of fixed text blocks, for telling a comment a writer
// wrote itself from one the user added. Lines compare without the blanks and
// line end around them.
class CommentLines {
public:
    CommentLines(std::initializer_list<std::string_view> blocks)
        : CommentLines(std::span<const std::string_view>(blocks.begin(), blocks.size())) {}
    explicit CommentLines(std::span<const std::string_view> blocks);

    // `next` carries the place after the last line found: a file the writer
    // wrote holds the lines in block order, so the next one is found first.
    bool contains(std::string_view line, std::size_t& next) const;

private:
    using Entry = std::pair<std::string_view, std::size_t>;
    static bool shorterFirst(const Entry& a, const Entry& b);

    std::vector<std::string_view> ordered_;
    std::vector<Entry> sorted_; // each line with its place in `ordered_`
};
