#pragma once

#include <string_view>

// One column of the detail list: its title and width in pixels.
struct ListColumn {
    std::string_view title;
    int width;
};
