#include "TextUtil.h"

#include <algorithm>
#include <charconv>
#include <limits>

std::string_view TextUtil::trimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isSpace(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view TextUtil::trimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && isSpace(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string TextUtil::upper(std::string_view s) {
    std::string out(s);
    upperInPlace(out);
    return out;
}

void TextUtil::upperInPlace(std::string& s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

std::int32_t TextUtil::leadingInt(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > kLimit + 1)
            value = kLimit + 1;
    }
    if (negative)
        return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(value > kLimit ? kLimit : value);
}

std::string_view TextUtil::quoted(std::string_view line, int n) {
    std::size_t pos = 0;
    for (int i = 0; i < 2 * n; ++i) {
        pos = line.find('"', pos);
        if (pos == std::string_view::npos)
            return {};
        ++pos;
    }
    const auto open = line.find('"', pos);
    if (open == std::string_view::npos)
        return {};
    const auto close = line.find('"', open + 1);
    if (close == std::string_view::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

bool TextUtil::hasSeparator(std::string_view s) {
    // A plain loop: find_first_of searches the set once for every byte.
    return std::any_of(s.begin(), s.end(), [](char c) {
        return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n';
    });
}

bool TextUtil::isWholeInt32(std::string_view s) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-')
            return false;
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && error == std::errc() && end == s.data() + s.size();
}

std::vector<std::string_view> TextUtil::words(std::string_view s) {
    std::vector<std::string_view> found;
    std::size_t at = 0;
    while (at < s.size()) {
        while (at < s.size() && isSpace(s[at]))
            ++at;
        const std::size_t start = at;
        while (at < s.size() && !isSpace(s[at]))
            ++at;
        if (at > start)
            found.push_back(s.substr(start, at - start));
    }
    return found;
}

std::vector<std::string_view> TextUtil::pieces(std::string_view list) {
    std::vector<std::string_view> found;
    if (list.empty())
        return found;
    if (list.back() == ' ')
        list.remove_suffix(1);
    for (;;) {
        const auto blank = list.find(' ');
        found.push_back(list.substr(0, blank));
        if (blank == std::string_view::npos)
            return found;
        list.remove_prefix(blank + 1);
    }
}

bool TextUtil::isVolumeForm(std::string_view text) {
    // A workstation path may hold a ':' further on (/srv/data:2024/x).
    const std::string_view start = trimLeft(text);
    if (!start.empty() && (start.front() == '/' || start.front() == '~'))
        return false;
    const std::size_t colon = text.find(':');
    return colon != std::string_view::npos && colon >= 3;
}
