#pragma once

#include <string>
#include <string_view>

// The stored form of the engine's login password: 80 lower-case hexadecimal
// digits made from the first 40 bytes of the plain text. There is no inverse.
std::string Scramble(std::string_view plain);
