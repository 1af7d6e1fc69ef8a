#include "PathParts.h"

#include <algorithm>

PathParts::Parts PathParts::split(std::string_view path, char separator) {
    Parts parts;
    while (!path.empty()) {
        const std::size_t end = path.find(separator);
        if (end != 0)
            parts.emplace_back(path.substr(0, end));
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
    }
    return parts;
}

std::string PathParts::join(const Parts& parts, char separator, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
        if (i > 0)
            text += separator;
        text += parts[i];
    }
    return text;
}

bool PathParts::startsWith(const Parts& whole, const Parts& start) {
    return start.size() <= whole.size() && std::equal(start.begin(), start.end(), whole.begin());
}
