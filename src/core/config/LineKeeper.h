#pragma once

#include "KeptLines.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Gathers, while a file is read, the lines the model does not take, and
// hands each run to the anchor that follows it. Blank lines are kept only
// between kept lines: around them they are the writer's layout. The texts
// of the last line of every setting are held so that, when a block states a
// setting again, the earlier line can be kept too.
class LineKeeper {
public:
    // Where a setting stands: its earlier lines are looked up by scope and key.
    enum class Scope { Global, Package, Application, Count };

    void reset();
    // A line without a keyword.
    void blank(std::string_view line);
    // A line the model does not take.
    void keep(std::string_view line);
    bool holdsLines() const { return kept_ > 0; }
    // How many lines were kept in all.
    int keptLines() const { return count_; }

    // Hands the pending run to `anchor`.
    void attach(KeptLines& kept, KeptLines::Anchor anchor);
    // A setting line taken as `key` of a record in `scope`: the pending run
    // goes before it; when the record held the setting already
    // (`replaces`), the earlier line is kept first.
    void setting(KeptLines& kept, Scope scope, KeptLines::Anchor anchor, std::string_view line,
                 bool replaces);
    // The pending run, taken out (for an entry of a list).
    std::string take();

private:
    void append(std::string_view line);

    std::string run_;
    // The length of the run up to its last kept (not blank) line.
    std::size_t kept_ = 0;
    int count_ = 0;
    std::array<std::vector<std::string>, static_cast<std::size_t>(Scope::Count)> earlier_;
};
