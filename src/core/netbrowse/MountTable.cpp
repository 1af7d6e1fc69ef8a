#include "MountTable.h"

#include "PathParts.h"
#include "text/TextUtil.h"

namespace {

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

bool isOctalEscape(std::string_view s, std::size_t at) {
    return s[at] == '\\' && at + 3 < s.size() && isOctal(s[at + 1]) && isOctal(s[at + 2]) &&
           isOctal(s[at + 3]);
}

// The "-" that ends the optional fields of a mountinfo line.
std::size_t separatorField(const std::vector<std::string_view>& parts) {
    constexpr std::size_t FirstOptional = 6;
    for (std::size_t at = FirstOptional; at < parts.size(); ++at)
        if (parts[at] == "-")
            return at;
    return 0;
}

} // namespace

MountTable::MountTable(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const auto parts = TextUtil::words(line);
        if (parts.size() < 3 || parts[0].front() == '#')
            continue;
        const std::size_t separator = separatorField(parts);
        if (separator == 0)
            entries_.push_back(
                Entry{unescape(parts[0]), unescape(parts[1]), unescape(parts[2]), "/", {}});
        else if (separator + 2 < parts.size())
            entries_.push_back(Entry{unescape(parts[separator + 2]), unescape(parts[4]),
                                     unescape(parts[separator + 1]), unescape(parts[3]),
                                     std::string(parts[2])});
    }
}

const MountTable::Entry* MountTable::covering(const std::string& path) const {
    if (path.empty() || path.front() != '/')
        return nullptr;
    const auto place = components(path);
    const Entry* best = nullptr;
    std::size_t bestDepth = 0;
    for (const Entry& entry : entries_) {
        const auto point = components(entry.mountPoint);
        if (entry.mountPoint.empty() || entry.mountPoint.front() != '/' ||
            !PathParts::startsWith(place, point))
            continue;
        if (best == nullptr || point.size() >= bestDepth) {
            best = &entry;
            bestDepth = point.size();
        }
    }
    return best;
}

std::vector<std::string> MountTable::below(const Entry& entry, const std::string& path) {
    auto place = components(path);
    const std::size_t depth = components(entry.mountPoint).size();
    place.erase(place.begin(), place.begin() + static_cast<std::ptrdiff_t>(depth));
    return fromRoot(entry, place);
}

std::vector<std::string> MountTable::fromRoot(const Entry& entry,
                                              const std::vector<std::string>& inside) {
    auto rooted = components(entry.root);
    rooted.insert(rooted.end(), inside.begin(), inside.end());
    return rooted;
}

std::vector<std::string> MountTable::components(std::string_view path) {
    std::vector<std::string> parts;
    while (!path.empty()) {
        const std::size_t end = path.find('/');
        const std::string_view part = path.substr(0, end);
        path.remove_prefix(end == std::string_view::npos ? path.size() : end + 1);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.emplace_back(part);
        }
    }
    return parts;
}

std::string MountTable::unescape(std::string_view field) {
    std::string text;
    text.reserve(field.size());
    for (std::size_t at = 0; at < field.size(); ++at) {
        if (!isOctalEscape(field, at)) {
            text += field[at];
            continue;
        }
        const int value =
            (field[at + 1] - '0') * 64 + (field[at + 2] - '0') * 8 + (field[at + 3] - '0');
        text += static_cast<char>(value & 0xFF);
        at += 3;
    }
    return text;
}
