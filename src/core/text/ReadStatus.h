#pragma once

#include "ReadReport.h"
#include "io/Status.h"

#include <string>
#include <utility>

// What a reader reports: the tolerant formats never fail on content, only on
// what the model cannot hold or the file system refuses. `report` says what
// of the content a save would not keep.
struct ReadStatus : Status {
    ReadReport report;

    static ReadStatus failure(std::string message) {
        return {Status::failure(std::move(message)), {}};
    }
};
