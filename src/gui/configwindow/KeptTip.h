#pragma once

#include "text/KeptLines.h"

#include <QString>

// The tooltip of a record's node: the lines of the file kept with the
// record (its comments, unknown keywords), read only; empty when none.
class KeptTip {
public:
    static QString of(const KeptLines& kept);
};
