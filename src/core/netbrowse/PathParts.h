#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Paths as lists of components, for the "/" of local paths and the "\" of
// paths on a server alike.
class PathParts {
public:
    using Parts = std::vector<std::string>;

    // The components between separators; empty ones are dropped.
    static Parts split(std::string_view path, char separator);
    // The first `count` components joined by `separator`.
    static std::string join(const Parts& parts, char separator, std::size_t count);
    static std::string join(const Parts& parts, char separator) {
        return join(parts, separator, parts.size());
    }
    static bool startsWith(const Parts& whole, const Parts& start);
};
