#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small byte-text helpers with the C locale's notion of white space and case,
// as the file formats use them.
class TextUtil {
public:
    static bool isSpace(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    static std::string_view trimLeft(std::string_view s);
    static std::string_view trimRight(std::string_view s);
    static std::string_view trim(std::string_view s) { return trimLeft(trimRight(s)); }

    // The runs of bytes between white space.
    static std::vector<std::string_view> words(std::string_view s);
    // The names of a one-name-a-line list as they are written: the list
    // without its one trailing blank, cut at every blank (empty names too).
    static std::vector<std::string_view> pieces(std::string_view list);

    // a-z to A-Z; every other byte unchanged.
    static std::string upper(std::string_view s);
    static void upperInPlace(std::string& s);

    // The leading decimal integer: an optional sign, then digits up to the
    // first other byte; 0 without digits. Saturates at the 32-bit limits.
    static std::int32_t leadingInt(std::string_view s);

    // The text between the (2n+1)-th and (2n+2)-th double quote of a line;
    // empty when either quote is missing.
    static std::string_view quoted(std::string_view line, int n = 0);

    // An optional sign and digits only, within the 32-bit range.
    static bool isWholeInt32(std::string_view s);

    // Whether a text holds a byte the file tokenisers split on.
    static bool hasSeparator(std::string_view s);
    // A server path VOLUME:path; a drive letter's colon does not make one.
    static bool isVolumeForm(std::string_view text);
};
