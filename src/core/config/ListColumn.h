#pragma once

#include <string_view>

// One column of the detail list: its title, width in pixels and the field of
// the entry it shows.
struct ListColumn {
    std::string_view title;
    int width;
    int field = 0;
};
