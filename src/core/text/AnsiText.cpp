#include "AnsiText.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

constexpr std::array<std::uint16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039,
    0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3,
    0x00A4, 0x00A5, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB,
    0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3,
    0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7, 0x00E8, 0x00E9, 0x00EA, 0x00EB,
    0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | (ch >> 6));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (ch >> 12));
        out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns U+FFFD for a byte that
// starts no valid one and always advances.
char32_t decodeUtf8(std::string_view in, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(in[pos]);
    const std::size_t length = lead < 0x80 ? 1 : AnsiText::utf8Length(in.substr(pos));
    if (length == 0) {
        ++pos;
        return 0xFFFD;
    }
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        ch = (ch << 6) | (static_cast<unsigned char>(in[pos + i]) & 0x3F);
    pos += length;
    return ch;
}

} // namespace

std::size_t AnsiText::utf8Length(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || bytes.size() < length)
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    const char32_t least = length == 3 ? 0x800 : length == 4 ? 0x10000 : 0x80;
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < least || surrogate || code > 0x10FFFF ? 0 : length;
}

char32_t AnsiText::toUnicode(unsigned char byte) {
    return byte < 0x80 ? byte : kHighHalf[byte - 0x80];
}

int AnsiText::fromUnicode(char32_t ch) {
    if (ch < 0x80)
        return static_cast<int>(ch);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i)
        if (kHighHalf[i] == ch)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::string AnsiText::toUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string AnsiText::fromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int byte = fromUnicode(decodeUtf8(utf8, pos));
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

bool AnsiText::fromUtf8Exactly(std::string_view utf8, std::string& ansi, std::string& unfit) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t start = pos;
        const char32_t ch = decodeUtf8(utf8, pos);
        const int byte = fromUnicode(ch);
        if (byte >= 0) {
            out += static_cast<char>(byte);
            continue;
        }
        const bool malformed = ch == 0xFFFD && utf8.substr(start, pos - start) != "\xEF\xBF\xBD";
        if (malformed) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(utf8[start]));
            unfit = std::string("the byte ") + hex + ": it is not UTF-8";
        } else {
            unfit = "the character \"" + std::string(utf8.substr(start, pos - start)) +
                    "\": Windows-1252 has no such character";
        }
        return false;
    }
    ansi = std::move(out);
    return true;
}
