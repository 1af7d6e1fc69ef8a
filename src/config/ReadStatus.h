#pragma once

#include "ReadReport.h"

#include <string>
#include <utility>

// What a reader reports: the tolerant formats never fail on content, only on
// what the model cannot hold or the file system refuses. `report` says what
// of the content a save would not keep.
struct ReadStatus {
    bool ok = true;
    std::string error;
    ReadReport report;

    static ReadStatus failure(std::string message) { return {false, std::move(message), {}}; }
};
