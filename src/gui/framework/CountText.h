#pragma once

#include <QString>

// A number with its noun, the noun singular for exactly one: "1 line",
// "2 lines", "0 lines".
class CountText {
public:
    static QString of(long long count, const char* one, const char* many);
};
