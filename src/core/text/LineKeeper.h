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
    // How many lines were kept in all.
    int keptLines() const { return count_; }

    // Hands the pending run to `anchor`.
    void attach(KeptLines& kept, KeptLines::Anchor anchor);
    // A new line is read.
    void newLine() { last_ = nullptr; }
    // A setting line `number` taken as `anchor` of a record in `scope`: the
    // pending run goes before it; when the record held the setting already
    // (`replaces`), the earlier line is kept first, whole. Returns the
    // earlier line's number when it was noted as dropped in part, else 0.
    int setting(KeptLines& kept, Scope scope, KeptLines::Anchor anchor, std::string_view line,
                int number, bool replaces);
    // The setting line just taken was noted as dropped in part.
    void settingDropped() {
        if (last_ != nullptr)
            last_->dropped = true;
    }
    // The pending run, taken out (for an entry of a list).
    std::string take();

private:
    void append(std::string_view line);

    std::string run_;
    // The length of the run up to its last kept (not blank) line.
    std::size_t kept_ = 0;
    int count_ = 0;
    // The last line of each setting, by scope and anchor.
    struct Earlier {
        std::string text;
        int line = 0;
        bool dropped = false;
    };
    std::array<std::vector<Earlier>, static_cast<std::size_t>(Scope::Count)> earlier_;
    Earlier* last_ = nullptr;
};
