#pragma once

#include <string_view>

// The label of a property row. The checks and the rows of the editor refer to
// the one constant of RowLabels, so a problem finds its row by which constant
// it names, never by comparing texts.
struct RowLabel {
    std::string_view text;

    constexpr operator std::string_view() const { return text; }
};
