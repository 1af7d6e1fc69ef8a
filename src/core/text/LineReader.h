#pragma once

#include <cstddef>
#include <string_view>

// Walks the lines of a file's bytes. A line ends at LF; a CR right before the
// LF is not part of it. A last line without LF is still a line.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

    bool next(std::string_view& line) {
        if (pos_ >= bytes_.size())
            return false;
        std::size_t end = bytes_.find('\n', pos_);
        std::size_t nextPos = end + 1;
        if (end == std::string_view::npos) {
            end = bytes_.size();
            nextPos = end;
        } else if (end > pos_ && bytes_[end - 1] == '\r') {
            --end;
        }
        line = bytes_.substr(pos_, end - pos_);
        pos_ = nextPos;
        return true;
    }

    // The bytes walked so far, line ends included.
    std::size_t position() const { return pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};
