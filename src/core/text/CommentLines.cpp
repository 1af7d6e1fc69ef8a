#include "CommentLines.h"

#include "LineReader.h"
#include "TextUtil.h"

#include <algorithm>

bool CommentLines::shorterFirst(const Entry& a, const Entry& b) {
    // Most lines differ in length; comparing it first spares the bytes.
    return a.first.size() != b.first.size() ? a.first.size() < b.first.size() : a.first < b.first;
}

CommentLines::CommentLines(std::span<const std::string_view> blocks) {
    for (std::string_view block : blocks) {
        LineReader reader(block);
        std::string_view line;
        while (reader.next(line)) {
            line = TextUtil::trim(line);
            if (!line.empty() && line.front() == '#') {
                sorted_.emplace_back(line, ordered_.size());
                ordered_.push_back(line);
            }
        }
    }
    std::sort(sorted_.begin(), sorted_.end(), shorterFirst);
}

bool CommentLines::contains(std::string_view line, std::size_t& next) const {
    line = TextUtil::trim(line);
    if (next < ordered_.size() && ordered_[next] == line) {
        ++next;
        return true;
    }
    const Entry key(line, 0);
    const auto it = std::lower_bound(sorted_.begin(), sorted_.end(), key, shorterFirst);
    if (it == sorted_.end() || it->first != line)
        return false;
    next = it->second + 1;
    return true;
}
