#include "Scramble.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::string_view kKey = "kqmzwplrtahev=3d7ttxnbvmo4e6yrcsjduvkfga";
constexpr std::size_t kBlock = 40;
constexpr std::string_view kHex = "0123456789abcdef";

} // namespace

std::string Scramble(std::string_view plain) {
    static_assert(kKey.size() == kBlock);
    // A short input ends in a 0 byte, and blanks fill the rest of the block.
    std::array<unsigned char, kBlock> block;
    block.fill(' ');
    const std::size_t used = plain.size() < kBlock ? plain.size() : kBlock;
    for (std::size_t i = 0; i < used; ++i)
        block[i] = static_cast<unsigned char>(plain[i]);
    if (used < kBlock)
        block[used] = 0;

    std::string hex;
    hex.reserve(2 * kBlock);
    unsigned sum = 0;
    for (std::size_t j = 0; j < kBlock; ++j) {
        const unsigned v = block[j] ^ static_cast<unsigned char>(kKey[j]);
        const char hi = kHex[v >> 4];
        const char lo = kHex[v & 0x0F];
        hex += hi;
        hex += lo;
        sum += static_cast<unsigned char>(hi) + static_cast<unsigned char>(lo);
    }
    const std::size_t r = sum % kBlock;
    return hex.substr(r) + hex.substr(0, r);
}
