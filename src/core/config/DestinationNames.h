#pragma once

#include <string>
#include <string_view>
#include <vector>

// An application's destination packages as stored: names separated by
// blanks. A package whose own name holds a blank was written that way by
// hand or by an older editor; where its words stand in a row they are read
// as that package, so "My Pkg" is not taken for a package "Pkg".
class DestinationNames {
public:
    struct Name {
        std::string text; // as held: the package's name, or the word stored
        int package = -1; // its index among the packages, -1 for none
    };

    // The names of `stored` against the package names, in stored order; of
    // the packages that fit at one place the one of most words wins. Case
    // is ignored.
    static std::vector<Name> read(std::string_view stored,
                                  const std::vector<std::string>& packages);

    // Whether a package name can stand in the list: one holding a blank
    // would be read back as two names.
    static bool canStand(std::string_view name);
};
