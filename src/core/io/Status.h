#pragma once

#include <string>
#include <utility>

// The one way the core reports an operation that can fail: ok, or not with
// a message for the user. Nothing in the core throws.
struct Status {
    bool ok = true;
    std::string error;

    static Status failure(std::string message) { return {false, std::move(message)}; }
};
