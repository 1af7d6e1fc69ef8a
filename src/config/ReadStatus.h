#pragma once

#include <string>
#include <utility>

// What a reader reports: the tolerant formats never fail on content, only on
// what the model cannot hold or the file system refuses.
struct ReadStatus {
    bool ok = true;
    std::string error;

    static ReadStatus failure(std::string message) { return {false, std::move(message)}; }
};
