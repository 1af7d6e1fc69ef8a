#include "CommentLines.h"

#include "LineReader.h"
#include "TextUtil.h"

CommentLines::CommentLines(std::initializer_list<std::string_view> blocks) {
    for (std::string_view block : blocks) {
        LineReader reader(block);
        std::string_view line;
        while (reader.next(line)) {
            line = TextUtil::trim(line);
            if (!line.empty() && line.front() == '#')
                lines_.push_back(line);
        }
    }
    std::sort(lines_.begin(), lines_.end());
    lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
}

bool CommentLines::contains(std::string_view line) const {
    return std::binary_search(lines_.begin(), lines_.end(), TextUtil::trim(line));
}
