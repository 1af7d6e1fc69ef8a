#pragma once

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <vector>

// The comment lines of fixed text blocks, for telling a comment a writer
// wrote itself from one the user added. Lines compare without the blanks and
// line end around them.
class CommentLines {
public:
    CommentLines(std::initializer_list<std::string_view> blocks);

    bool contains(std::string_view line) const;

private:
    std::vector<std::string_view> lines_;
};
