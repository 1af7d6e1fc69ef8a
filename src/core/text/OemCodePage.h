#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The OEM code page that paths use inside a .cfg file, converted to and from
// the model's Windows-1252. Characters present in both code pages map to each
// other; the rest are paired in byte order, so a path read and written again
// keeps every byte.
class OemCodePage {
public:
    // 850 selects code page 850, kAnsi none (every byte stays as it is);
    // anything else gives 437.
    static constexpr int kAnsi = 1252;
    explicit OemCodePage(int number = 437);
    // Code page 850 when PALLWORTH_OEM_CODEPAGE is "850", else 437.
    static OemCodePage fromEnvironment();

    int number() const { return number_; }

    void toAnsiInPlace(char* data, std::size_t size) const { map(toAnsi_, data, size); }
    void toOemInPlace(char* data, std::size_t size) const { map(toOem_, data, size); }
    std::string toAnsi(std::string_view oem) const;
    // Whether the Windows-1252 byte has the same character in this code
    // page; one that has not is stored as another character's byte.
    bool holds(unsigned char ansi) const { return same_[ansi]; }

private:
    using Table = std::array<unsigned char, 256>;
    static void map(const Table& table, char* data, std::size_t size);

    int number_;
    Table toAnsi_{};
    Table toOem_{};
    std::array<bool, 256> same_{};
};
