#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Windows-1252, the code page of every text the model holds, to and from
// UTF-8 for the command line and the widgets.
class AnsiText {
public:
    // The Unicode character of one byte. The five bytes the code page leaves
    // undefined stand for the C1 control of the same value.
    static char32_t toUnicode(unsigned char byte);
    // The byte of a Unicode character, or -1 when the code page has none.
    static int fromUnicode(char32_t ch);

    static std::string toUtf8(std::string_view ansi);
    // The length of the valid UTF-8 sequence that starts `bytes` (which starts
    // with a byte of 0x80 or more); 0 when it is not one: a stray continuation
    // byte, a cut sequence, an overlong form, a surrogate or beyond U+10FFFF.
    static std::size_t utf8Length(std::string_view bytes);
    // Characters the code page lacks, and malformed UTF-8, become '?'.
    static std::string fromUtf8(std::string_view utf8);
    // The same without loss: false, with `unfit` naming the first character
    // the code page lacks or the first byte that is not UTF-8 and saying
    // why (the byte 0xE9: it is not UTF-8), when there is one.
    static bool fromUtf8Exactly(std::string_view utf8, std::string& ansi, std::string& unfit);
};
