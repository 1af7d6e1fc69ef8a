#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The values a number row takes, and the value a new document gives it.
struct NumberRange {
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    std::string_view defaultValue;

    // "Invalid interval! (lower-upper) Default:value"
    std::string refusal() const {
        return "Invalid interval! (" + std::to_string(lower) + "-" + std::to_string(upper) +
               ") Default:" + std::string(defaultValue);
    }
};
